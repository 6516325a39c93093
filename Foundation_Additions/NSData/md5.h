// MD5 (RFC 1321) without outside help: same digest on every processor, no heap.
// The context holds only the four state words; callers feed whole 64-byte blocks.
#pragma once

#include <cstddef>
#include <cstdint>

struct md5_ctx
{
    std::uint32_t A, B, C, D;
};

// Sets the initial state words; returns ctx.
md5_ctx* md5_init_ctx(md5_ctx* ctx);
// Compresses len bytes in order; len must be a multiple of 64 (no padding is added).
void md5_process_block(const void* buffer, std::size_t len, md5_ctx* ctx);
// Writes A, B, C, D little-endian into the 16 bytes at resbuf; the state is not changed.
void* md5_read_ctx(const md5_ctx* ctx, void* resbuf);
// The whole digest of len bytes into the 16 bytes at resblock; returns resblock.
void* md5_buffer(const char* buffer, std::size_t len, void* resblock);

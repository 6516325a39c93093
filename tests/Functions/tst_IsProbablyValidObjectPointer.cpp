#include "Foundation/String.h"
#include "Functions/IsProbablyValidObjectPointer.h"

#include <QTest>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_IsProbablyValidObjectPointer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusedPointers_data();
    void refusedPointers();
    void liveObjectPasses();
    void heapAlignment();
};

void tst_IsProbablyValidObjectPointer::refusedPointers_data()
{
    QTest::addColumn<quintptr>("address");
    QTest::newRow("null") << quintptr(0);
    QTest::newRow("marker") << quintptr(freedObjectMarker());
    QTest::newRow("0xDEADBEEF") << quintptr(0xDEADBEEF);
    QTest::newRow("0xDEADFACE") << quintptr(0xDEADFACE);
    QTest::newRow("0xEFBEADDE") << quintptr(0xEFBEADDE);
    QTest::newRow("0xCEFAADDE") << quintptr(0xCEFAADDE);
    QTest::newRow("odd") << quintptr(0x1001);
}

void tst_IsProbablyValidObjectPointer::refusedPointers()
{
    QFETCH(quintptr, address);
    const auto* p = reinterpret_cast<const void*>(address);
    QVERIFY(!IsProbablyValid_Obj_Pointer(p));
    // Refused before anything is read through it.
    QVERIFY(!IsProbablyValidObjectPointer(p));
}

void tst_IsProbablyValidObjectPointer::liveObjectPasses()
{
    const Id object = str(u"alive"_s);
    QVERIFY(IsProbablyValidObjectPointer(object.get()));
}

void tst_IsProbablyValidObjectPointer::heapAlignment()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's allocator does not use the program break heap");
#else
    // A small block comes from the main heap, where only 16-byte alignment passes.
    std::unique_ptr<char, decltype(&std::free)> block(static_cast<char*>(std::malloc(64)), &std::free);
    const auto base = reinterpret_cast<std::uintptr_t>(block.get());
    const auto* ending8 = reinterpret_cast<const void*>((base & ~std::uintptr_t(15)) + 8);
    QVERIFY(!IsProbablyValid_Obj_Pointer(ending8));
    // The same low bits outside any heap zone pass the 4-byte test.
    QVERIFY(IsProbablyValid_Obj_Pointer(reinterpret_cast<const void*>(std::uintptr_t(0x10008))));
#endif
}

QTEST_APPLESS_MAIN(tst_IsProbablyValidObjectPointer)
#include "tst_IsProbablyValidObjectPointer.moc"

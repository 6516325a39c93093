// Clears a pointer variable when the current tz::AutoreleaseScope ends.
#pragma once

#include "Foundation/Object.h"

namespace tz {

class TzAutoNuller final : public Object
{
public:
    // A new auto-nuller for the variable (a raw or shared pointer), handed to the innermost
    // scope; when that scope ends (or, with no scope open, when the last holder of the result
    // lets go) the variable is set to nullptr. The variable must outlive the scope.
    template <typename Pointer>
    static std::shared_ptr<const TzAutoNuller> autoNullerForID(Pointer* variable)
    {
        return make(variable, [](void* target) { *static_cast<Pointer*>(target) = nullptr; });
    }

    TzAutoNuller(void* target, void (*clear)(void*)) : _nilTarget(target), _clear(clear) {}
    ~TzAutoNuller() override;

    // The address of the watched variable; not owned.
    [[nodiscard]] const void* nilTarget() const { return _nilTarget; }
    [[nodiscard]] QString className() const override { return QStringLiteral("TzAutoNuller"); }
    [[nodiscard]] QString description() const override;

private:
    static std::shared_ptr<const TzAutoNuller> make(void* target, void (*clear)(void*));

    void* _nilTarget;
    void (*_clear)(void*);
};

} // namespace tz

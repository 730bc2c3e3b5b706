// A non-owning reference to a callable, for callbacks that only live for
// the duration of one call (no allocation, unlike std::function).
#pragma once

#include "InternalVisibility.h"

#include <type_traits>
#include <utility>

LOOM_INTERNAL_BEGIN
namespace loom {

template <typename Signature>
class FunctionRef;

template <typename R, typename... Args>
class FunctionRef<R(Args...)> {
public:
    template <typename F, typename = std::enable_if_t<!std::is_same<std::decay_t<F>, FunctionRef>::value>>
    FunctionRef(F&& f)  // NOLINT: implicit by design
        : m_Object(const_cast<void*>(static_cast<const void*>(&f))),
          m_Call([](void* object, Args... args) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(object))(std::forward<Args>(args)...);
          })
    {
    }

    R operator()(Args... args) const { return m_Call(m_Object, std::forward<Args>(args)...); }

private:
    void* m_Object;
    R (*m_Call)(void*, Args...);
};

}  // namespace loom
LOOM_INTERNAL_END

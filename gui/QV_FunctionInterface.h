// Callbacks of the toolkit: an abstract interface that binds one object and one member function.
//
// QV_FunctionInterface<A1, ..., A6> takes up to six arguments; `void` marks an absent argument and
// absent arguments are always trailing, so QV_FunctionInterface<QV_Controller*> is a callback that
// receives the sender only.
#pragma once

#include <cstddef>
#include <cstring>

namespace qv_detail {

template <class... Ts> struct TypeList {};

// Collects the leading non-void types; the first void ends the argument list.
template <class List, class... Rest> struct LeadingArguments;
template <class... Taken> struct LeadingArguments<TypeList<Taken...>> { using type = TypeList<Taken...>; };
template <class... Taken, class... Rest> struct LeadingArguments<TypeList<Taken...>, void, Rest...> {
    using type = TypeList<Taken...>;
};
template <class... Taken, class Next, class... Rest>
struct LeadingArguments<TypeList<Taken...>, Next, Rest...>
    : LeadingArguments<TypeList<Taken..., Next>, Rest...> {};

} // namespace qv_detail

// The bound member function as an opaque value. It is only ever compared, never called: member
// function pointers cannot be converted to a common type, so their bytes are compared instead.
struct QV_MethodId {
    unsigned char bytes[32] = {};
    size_t size = 0;

    template <class MemberFunction> static QV_MethodId Of(MemberFunction method) {
        static_assert(sizeof(MemberFunction) <= sizeof(bytes), "member function pointer too large");
        QV_MethodId id;
        std::memcpy(id.bytes, &method, sizeof(MemberFunction));
        id.size = sizeof(MemberFunction);
        return id;
    }
    bool operator==(const QV_MethodId& other) const {
        return size == other.size && std::memcmp(bytes, other.bytes, size) == 0;
    }
};

template <class Arguments> class QV_Callback;
template <class... Args> class QV_Callback<qv_detail::TypeList<Args...>> {
public:
    // Slots in this order: the target and the method are used only to compare callbacks.
    virtual void* GetTarget() const = 0;
    virtual QV_MethodId GetMethod() const = 0;
    virtual void Invoke(Args... args) = 0;
    // Handler lists own their callbacks and delete them through this interface.
    virtual ~QV_Callback() = default;
};

template <class A1 = void, class A2 = void, class A3 = void, class A4 = void, class A5 = void,
          class A6 = void>
class QV_FunctionInterface
    : public QV_Callback<
          typename qv_detail::LeadingArguments<qv_detail::TypeList<>, A1, A2, A3, A4, A5, A6>::type> {};

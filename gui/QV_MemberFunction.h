// The one concrete callback: a member function of T bound to one object of T.
#pragma once

#include "gui/QV_FunctionInterface.h"

namespace qv_detail {

template <class T, class Interface, class Arguments> class MemberFunctionBase;
template <class T, class Interface, class... Args>
class MemberFunctionBase<T, Interface, TypeList<Args...>> : public Interface {
public:
    using Method = void (T::*)(Args...);

    MemberFunctionBase(T* target, Method method) : method(method), target(target) {}
    void* GetTarget() const override { return target; }
    QV_MethodId GetMethod() const override { return QV_MethodId::Of(method); }
    void Invoke(Args... args) override { (target->*method)(args...); }

    Method method;
    T* target; // not owned
};

} // namespace qv_detail

template <class T, class A1 = void, class A2 = void, class A3 = void, class A4 = void, class A5 = void,
          class A6 = void>
class QV_MemberFunction
    : public qv_detail::MemberFunctionBase<
          T, QV_FunctionInterface<A1, A2, A3, A4, A5, A6>,
          typename qv_detail::LeadingArguments<qv_detail::TypeList<>, A1, A2, A3, A4, A5, A6>::type> {
    using Base = qv_detail::MemberFunctionBase<
        T, QV_FunctionInterface<A1, A2, A3, A4, A5, A6>,
        typename qv_detail::LeadingArguments<qv_detail::TypeList<>, A1, A2, A3, A4, A5, A6>::type>;

public:
    using Base::Base;
};

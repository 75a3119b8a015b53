#pragma once

#include <functional>
#include <utility>

// An event: a method bound to its object, or nothing. The owner of the event calls it; the
// object that assigned it must outlive the assignment.
template <typename... Args>
class TMethod {
 public:
  TMethod() = default;
  template <class T>
  TMethod(T* object, void (T::*method)(Args...))
      : FCall([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); }) {}

  explicit operator bool() const { return static_cast<bool>(FCall); }
  void operator()(Args... args) const {
    if (FCall) FCall(std::forward<Args>(args)...);
  }

 private:
  std::function<void(Args...)> FCall;
};

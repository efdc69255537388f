// An event callback: up to five integer arguments, an integer result, 0 meaning none.
//
// Handlers take as many leading arguments as they need and may return void, so the
// program binds plain functions: button.setOnClick(initialiseSession).
#pragma once

#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

class WtCallback {
  public:
    using Arg = std::intptr_t;

    WtCallback() = default;
    WtCallback(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, WtCallback> &&
                                                !std::is_same_v<std::decay_t<F>, std::nullptr_t>>>
    WtCallback(F f) : function_(adapt(std::move(f))) {}

    explicit operator bool() const { return static_cast<bool>(function_); }

    // Calls the handler; 0 when none is set.
    Arg operator()(Arg a = 0, Arg b = 0, Arg c = 0, Arg d = 0, Arg e = 0) const {
        return function_ ? function_(a, b, c, d, e) : 0;
    }

  private:
    using Function = std::function<Arg(Arg, Arg, Arg, Arg, Arg)>;

    template <class F, class... A>
    static Arg invoke(F& f, A... args) {
        if constexpr (std::is_void_v<std::invoke_result_t<F&, A...>>) {
            f(args...);
            return 0;
        } else {
            return static_cast<Arg>(f(args...));
        }
    }

    template <class F>
    static Function adapt(F f) {
        if constexpr (std::is_pointer_v<F>) {
            if (f == nullptr) return {};
        }
        return [f = std::move(f)](Arg a, Arg b, Arg c, Arg d, Arg e) mutable -> Arg {
            if constexpr (std::is_invocable_v<F&, Arg, Arg, Arg, Arg, Arg>) {
                return invoke(f, a, b, c, d, e);
            } else if constexpr (std::is_invocable_v<F&, Arg, Arg, Arg, Arg>) {
                return invoke(f, a, b, c, d);
            } else if constexpr (std::is_invocable_v<F&, Arg, Arg, Arg>) {
                return invoke(f, a, b, c);
            } else if constexpr (std::is_invocable_v<F&, Arg, Arg>) {
                return invoke(f, a, b);
            } else if constexpr (std::is_invocable_v<F&, Arg>) {
                return invoke(f, a);
            } else {
                static_assert(std::is_invocable_v<F&>, "a handler takes 0 to 5 integers");
                (void)a, (void)b, (void)c, (void)d, (void)e;
                return invoke(f);
            }
        };
    }

    Function function_;
};

#pragma once
// Properties that read and write as they do on Windows:
//
//     Combo1[pane].ListIndex = 2;         // stores, tells the screen, raises Click (only on a change)
//     if (Check1.Value == 1) ...          // reads
//     Label3.Caption = "Ready";
//
// A property belongs to an owner (a control, window, menu or list item) that is told of every
// stored change, so an attached screen binding can redraw it. The owner decides what a change
// raises by setting `on_change`, may check or normalise a value first with `adjust` (which throws
// vb::Error(380) for a value out of range), or take the whole assignment over with `setter`.
// The model's own book-keeping uses `store`, which tells the screen but raises no event.

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace ui {

// Anything that owns properties: told (by name, "Caption", "ListIndex") when one changes.
class PropertyOwner {
public:
    virtual void property_changed(std::string_view name) = 0;

protected:
    ~PropertyOwner() = default;
};

// The owner's hooks of a property (see below). The properties of list items, of which a list may
// hold a hundred thousand, do without them: `Property<T, false>` only stores and tells its owner.
template <typename T> struct PropertyHooks {
    std::function<T(T)> adjust;      // checks (throwing vb::Error) or normalises a new value
    std::function<void()> on_change; // raised after a change stored by set()
    std::function<void(T)> setter;   // takes the assignment over completely
};
struct NoPropertyHooks {};

template <typename T, bool Hooked = true> class Property;

template <typename T> struct is_property : std::false_type {};
template <typename T, bool H> struct is_property<Property<T, H>> : std::true_type {};
template <typename T> inline constexpr bool is_property_v = is_property<std::remove_cvref_t<T>>::value;

template <typename T, bool Hooked>
class Property : public std::conditional_t<Hooked, PropertyHooks<T>, NoPropertyHooks> {
public:
    // `name` is a literal: the property keeps the pointer.
    Property(PropertyOwner* owner, const char* name, T initial = T{})
        : owner_(owner), name_(name), value_(std::move(initial)) {}
    Property(const Property&) = delete;

    // --- reading ---
    operator const T&() const { return value_; }
    // A text property also reads as a std::string_view, so it passes straight to text functions
    // (`vb::Val(Text1.Text)`).
    operator std::string_view() const requires std::is_same_v<T, std::string> { return value_; }
    const T& get() const { return value_; }
    const T& operator()() const { return value_; }
    const T* operator->() const { return &value_; }
    std::string_view name() const { return name_; }

    // --- writing from code: as a user of the window would see it ---
    Property& operator=(const Property& other) {
        set(other.value_);
        return *this;
    }
    Property& operator=(const T& v) {
        set(v);
        return *this;
    }
    template <typename U>
    requires(std::is_constructible_v<T, U> && !std::is_same_v<std::remove_cvref_t<U>, T> && !is_property_v<U>) Property&
    operator=(U&& v) {
        set(convert(std::forward<U>(v)));
        return *this;
    }
    template <typename U, bool H> Property& operator=(const Property<U, H>& other) {
        set(convert(other.get()));
        return *this;
    }
    template <typename U> Property& operator+=(const U& d) {
        set(convert(value_ + d));
        return *this;
    }
    template <typename U> Property& operator-=(const U& d) {
        set(convert(value_ - d));
        return *this;
    }

    // Sets the value as code setting the property does: through `setter` when there is one,
    // otherwise adjusted, stored, and `on_change` raised when the value really changed.
    void set(T v) {
        if constexpr (Hooked) {
            if (this->setter) {
                this->setter(std::move(v));
                return;
            }
            if (this->adjust) v = this->adjust(std::move(v));
            if (store(std::move(v)) && this->on_change) this->on_change();
        } else {
            store(std::move(v));
        }
    }

    // Stores the value without raising any event; the owner is told when it changed. Returns
    // whether it changed.
    bool store(T v) {
        if (v == value_) return false;
        value_ = std::move(v);
        if (owner_) owner_->property_changed(name_);
        return true;
    }

    // --- hooks, set by the owner: adjust, on_change, setter (see PropertyHooks) ---

    // --- comparing and combining like the value itself ---
    // (Text compares through std::string_view, so "abc", std::string and string_view all work.)
    friend bool operator==(const Property& a, const T& b) requires(!std::is_same_v<T, std::string>) {
        return a.value_ == b;
    }
    friend bool operator==(const Property& a, std::string_view b) requires std::is_same_v<T, std::string> {
        return a.value_ == b;
    }
    friend bool operator==(const Property& a, const Property& b) { return a.value_ == b.value_; }
    friend auto operator<=>(const Property& a, const T& b) requires(!std::is_same_v<T, std::string>) {
        return a.value_ <=> b;
    }
    friend auto operator<=>(const Property& a, std::string_view b) requires std::is_same_v<T, std::string> {
        return std::string_view(a.value_) <=> b;
    }
    template <typename U>
    requires(!is_property_v<U>) friend auto operator+(const Property& a, const U& b)
        -> decltype(std::declval<const T&>() + b) {
        return a.value_ + b;
    }
    template <typename U>
    requires(!is_property_v<U>) friend auto operator+(const U& b, const Property& a)
        -> decltype(b + std::declval<const T&>()) {
        return b + a.value_;
    }
    friend std::ostream& operator<<(std::ostream& os, const Property& p) { return os << p.value_; }

private:
    // Windows rounds a fractional size or position to the nearest whole number, halves to even.
    template <typename U> static T convert(U&& v) {
        if constexpr (std::is_integral_v<T> && std::is_floating_point_v<std::remove_cvref_t<U>>) {
            return static_cast<T>(std::nearbyint(v));
        } else {
            return static_cast<T>(std::forward<U>(v));
        }
    }

    PropertyOwner* owner_;
    const char* name_;
    T value_;
};

// A reference to one element of an indexed property (`File1.Selected(i)`, `List3.ItemData(n)`),
// readable and assignable as the element itself.
template <typename T> class ItemRef {
public:
    ItemRef(std::function<T()> get, std::function<void(T)> set) : get_(std::move(get)), set_(std::move(set)) {}
    operator T() const { return get_(); }
    T get() const { return get_(); }
    ItemRef& operator=(const T& v) {
        set_(v);
        return *this;
    }
    ItemRef& operator=(const ItemRef& other) {
        set_(other.get());
        return *this;
    }
    template <typename U>
    requires(std::is_convertible_v<U, T> && !std::is_same_v<std::remove_cvref_t<U>, T>) ItemRef& operator=(U&& v) {
        set_(static_cast<T>(std::forward<U>(v)));
        return *this;
    }
    friend bool operator==(const ItemRef& a, const T& b) { return a.get() == b; }
    friend std::ostream& operator<<(std::ostream& os, const ItemRef& r) { return os << r.get(); }

private:
    std::function<T()> get_;
    std::function<void(T)> set_;
};

} // namespace ui

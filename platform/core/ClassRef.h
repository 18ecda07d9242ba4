#pragma once
// Class references, class methods and Null objects.
//
// A class whose instances are made through a class reference gets a metaclass: a small
// class whose virtual functions are the class's constructor (Create) and its class methods
// (CreateInstance and the like). One constant metaclass object exists per concrete class,
// reached through ClassOf<T, Meta>(); a global pointer to the base's metaclass names the
// class in use, and the unit initialisation or a test swaps it by assigning another one.
//
//     class TStoreClass : public TMetaClass<TStore, const QString&> {
//     public:
//         virtual void CreateInstance(const QString& folder) const;   // class method
//     };
//     inline const TStoreClass* StoreClass = nullptr;                 // class reference
//     StoreClass = ClassOf<TStoreNull, TStoreClass>();                // unit initialisation
//     StoreClass->CreateInstance(folder);                              // virtual class call
//
// A class method reaches "its" class through `this`: CreateInstance calls this->Create(),
// so the instance made is of the class the reference names. A subclass that needs its own
// class method derives from TClassOf<Derived, Meta> and overrides it.
//
// Null objects: every store or model class has a Null twin, a subclass whose overrides do
// nothing and answer neutrally. A global current instance always points at a real or a
// Null object, so callers never test for a missing one.

#include <memory>
#include <utility>

template <class... Args>
struct TArgs {};

template <class Base, class... Args>
class TMetaClass {
public:
    using Instance = Base;
    using Arguments = TArgs<Args...>;
    virtual ~TMetaClass() = default;
    // The class's virtual constructor.
    virtual std::unique_ptr<Base> Create(Args... args) const = 0;
};

template <class Derived, class Meta, class Arguments = typename Meta::Arguments>
class TClassOf;

template <class Derived, class Meta, class... Args>
class TClassOf<Derived, Meta, TArgs<Args...>> : public Meta {
public:
    std::unique_ptr<typename Meta::Instance> Create(Args... args) const override
    {
        return std::make_unique<Derived>(std::forward<Args>(args)...);
    }
};

// The one metaclass object of Derived as a Meta (Impl may be a subclass of TClassOf).
template <class Derived, class Meta, class Impl = TClassOf<Derived, Meta>>
const Meta* ClassOf()
{
    static const Impl metaclass;
    return &metaclass;
}

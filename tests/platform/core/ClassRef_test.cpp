// The idiom of class references, class methods and Null twins, on a small store.
#include "platform/core/ClassRef.h"
#include "platform/core/Units.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class TStore {
public:
    explicit TStore(const QString& folder) : folder_(folder) {}
    virtual ~TStore() = default;
    virtual int Count() const { return folder_.size(); }

private:
    QString folder_;
};

class TStoreNull : public TStore {
public:
    explicit TStoreNull(const QString&) : TStore({}) {}
    int Count() const override { return 0; }
};

class TStoreClass : public TMetaClass<TStore, const QString&> {
public:
    void CreateInstance(const QString& folder) const;
};

std::unique_ptr<TStore> Store;
const TStoreClass* StoreClass = nullptr;

void TStoreClass::CreateInstance(const QString& folder) const { Store = Create(folder); }

class TCountingStore : public TStore {
public:
    using TStore::TStore;
    int Count() const override { return 100 + TStore::Count(); }
};

// A subclass with a class method of its own.
class TStrictStoreClass : public TClassOf<TCountingStore, TStoreClass> {};

std::vector<std::string> events;

void InitializeStore()
{
    StoreClass = ClassOf<TStore, TStoreClass>();
    Store = ClassOf<TStoreNull, TStoreClass>()->Create({});
    events.push_back("init store");
}
void FinalizeStore()
{
    Store.reset();
    events.push_back("fin store");
}

} // namespace

TEST(ClassRef, CreateInstanceMakesAnObjectOfTheReferencedClass)
{
    TUnits units({{"Store", InitializeStore, FinalizeStore}});
    EXPECT_EQ(Store->Count(), 0); // the Null twin until a folder is opened
    StoreClass->CreateInstance(QStringLiteral("abc"));
    EXPECT_EQ(Store->Count(), 3);

    StoreClass = ClassOf<TCountingStore, TStoreClass, TStrictStoreClass>();
    StoreClass->CreateInstance(QStringLiteral("abcd"));
    EXPECT_EQ(Store->Count(), 104);
}

TEST(ClassRef, OneMetaclassObjectPerClass)
{
    EXPECT_EQ((ClassOf<TStore, TStoreClass>()), (ClassOf<TStore, TStoreClass>()));
    EXPECT_NE((ClassOf<TStore, TStoreClass>()), (ClassOf<TStoreNull, TStoreClass>()));
}

TEST(Units, FinaliseInReverseOrderAndSkipTheOneThatFailed)
{
    events.clear();
    auto second = [] { events.push_back("init second"); };
    auto failing = [] { throw std::runtime_error("no"); };
    EXPECT_THROW((TUnits({{"Store", InitializeStore, FinalizeStore},
                          {"Second", second, [] { events.push_back("fin second"); }},
                          {"Failing", failing, [] { events.push_back("fin failing"); }}})),
                 std::runtime_error);
    EXPECT_EQ(events, (std::vector<std::string>{"init store", "init second", "fin second",
                                                "fin store"}));
    {
        events.clear();
        TUnits units({{"Store", InitializeStore, FinalizeStore}, {"Second", second, nullptr}});
    }
    EXPECT_EQ(events, (std::vector<std::string>{"init store", "init second", "fin store"}));
}

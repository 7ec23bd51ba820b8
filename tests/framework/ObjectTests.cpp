#include "TestRecords.h"

#include "framework/Object.h"

#include <gtest/gtest.h>

namespace {

TEST(RuntimeClass, KindOfFollowsTheBaseChain)
{
    const CTestDerived derived;
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CTestDerived)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CTestRecord)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(derived.IsKindOf(RUNTIME_CLASS(CTestNode)));
    EXPECT_FALSE(derived.IsKindOf(nullptr));
    const CTestRecord base;
    EXPECT_FALSE(base.IsKindOf(RUNTIME_CLASS(CTestDerived)));
    EXPECT_EQ(RUNTIME_CLASS(CTestDerived)->GetBaseClass(), RUNTIME_CLASS(CTestRecord));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->GetBaseClass(), nullptr);
}

TEST(RuntimeClass, RecordsNameSizeAndSchema)
{
    const CRuntimeClass* record = RUNTIME_CLASS(CTestRecord);
    EXPECT_STREQ(record->m_lpszClassName, "CTestRecord");
    EXPECT_EQ(record->m_nObjectSize, static_cast<int>(sizeof(CTestRecord)));
    EXPECT_EQ(record->GetSchemaNumber(), 6u);
    EXPECT_TRUE(record->IsVersionable());
    EXPECT_TRUE(record->IsSerializable());

    const CRuntimeClass* fixed = RUNTIME_CLASS(CTestFixedSchema);
    EXPECT_EQ(fixed->GetSchemaNumber(), 2u);
    EXPECT_FALSE(fixed->IsVersionable());

    EXPECT_FALSE(RUNTIME_CLASS(CTestCreatable)->IsSerializable());
    EXPECT_FALSE(RUNTIME_CLASS(CTestDynamic)->IsSerializable());
    EXPECT_FALSE(RUNTIME_CLASS(CObject)->IsSerializable());
}

TEST(RuntimeClass, FindsRegisteredClassesByName)
{
    EXPECT_EQ(CRuntimeClass::FromName("CTestRecord"), RUNTIME_CLASS(CTestRecord));
    EXPECT_EQ(CRuntimeClass::FromName("CTestDynamic"), RUNTIME_CLASS(CTestDynamic));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("ctestrecord"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CTestRecordX"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

TEST(RuntimeClass, CreatesObjectsOfCreatableClassesOnly)
{
    const std::unique_ptr<CObject> created = CRuntimeClass::FromName("CTestDerived")->CreateObject();
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetRuntimeClass(), RUNTIME_CLASS(CTestDerived));
    EXPECT_NE(RUNTIME_CLASS(CTestCreatable)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CTestDynamic)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

}  // namespace

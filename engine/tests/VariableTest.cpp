#include "Loom.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Shape(const CVariable& v)
{
    std::vector<int> out;
    for (DimensionT* d = v.GetDims(); d; d = d->next) out.push_back(d->index);
    return out;
}

int IntAt(const CVariable& v, int flat)
{
    CData* d = v.Get(flat);
    return d ? static_cast<CDataInt*>(d)->Data : -999;
}

}  // namespace

TEST(VariableTest, ScalarCopiesAndDefaultValue)
{
    CVariable v("n", CDataInt::GetRegisteredType());
    ASSERT_NE(v.GetWorkingData(), nullptr);
    EXPECT_EQ(v.GetWorkingData()->GetString(), "0");
    EXPECT_EQ(v.GetDims(), nullptr);
    EXPECT_EQ(v.GetNumElems(), 1);
    CDataInt five(5);
    EXPECT_TRUE(v.SetData(&five).IsSuccess());
    five.Data = 6;  // the variable holds its own copy
    EXPECT_EQ(static_cast<CDataInt*>(static_cast<CData*>(v))->Data, 5);

    CVariable copy(v);
    CDataInt seven(7);
    copy.SetWorkingData(&seven);
    EXPECT_EQ(IntAt(v, 0), 5);
    EXPECT_EQ(IntAt(copy, 0), 7);
    EXPECT_TRUE(copy == v);  // equality is by name
}

TEST(VariableTest, SetDataWithDimensionsGrowsAndKeepsScalarAsFirstElement)
{
    CVariable v("parts", CDataInt::GetRegisteredType());
    CDataInt value(10);
    v.SetData(&value);
    value.Data = 30;
    DimensionList third(3);
    EXPECT_TRUE(v.SetData(&value, third.Get()).IsSuccess());
    EXPECT_EQ(Shape(v), (std::vector<int>{3}));
    EXPECT_EQ(IntAt(v, 0), 10);
    EXPECT_EQ(v.Get(1), nullptr);  // absent, not invented
    EXPECT_EQ(IntAt(v, 2), 30);
    EXPECT_EQ(v.GetNumElems(), 3);

    DimensionList zero(0);
    EXPECT_FALSE(v.SetData(&value, zero.Get()).IsSuccess());
    DimensionList twoLevels;
    twoLevels.Append(1);
    twoLevels.Append(1);
    EXPECT_FALSE(v.SetData(&value, twoLevels.Get()).IsSuccess());
}

TEST(VariableTest, ArrayBuiltElementByElementKeepsEveryElement)
{
    // Each store one past the end grows the array; elements stored before
    // stay where they were, whether read between the stores or not.
    CVariable v("rows", CDataInt::GetRegisteredType());
    const int count = 20000;
    for (int i = 1; i <= count; ++i) {
        CDataInt value(i * 3);
        DimensionList at(i);
        ASSERT_TRUE(v.SetData(&value, at.Get()).IsSuccess());
        if (i % 997 == 0) {
            ASSERT_EQ(IntAt(v, 0), 3);
            ASSERT_EQ(IntAt(v, i / 2 - 1), (i / 2) * 3);
        }
    }
    EXPECT_EQ(v.GetNumElems(), count);
    EXPECT_EQ(Shape(v), (std::vector<int>{count}));
    for (int i = 0; i < count; ++i) ASSERT_EQ(IntAt(v, i), (i + 1) * 3);

    // A gap leaves absent elements, which a later store fills.
    CDataInt last(-1);
    DimensionList far(count + 5);
    ASSERT_TRUE(v.SetData(&last, far.Get()).IsSuccess());
    EXPECT_EQ(v.Get(count), nullptr);
    EXPECT_EQ(IntAt(v, count + 4), -1);
    std::vector<int> indices{count + 1};
    CData* element = nullptr;
    EXPECT_FALSE(v.GetElement(indices, element).IsSuccess());
}

TEST(VariableTest, TwoDimensionalArraysIndexFromOneAndCheckBounds)
{
    CVariable grid("grid", CDataInt::GetRegisteredType());
    ASSERT_TRUE(grid.Dimension({2, 4}).IsSuccess());
    EXPECT_EQ(Shape(grid), (std::vector<int>{2, 4}));
    EXPECT_EQ(grid.GetNumElems(), 8);
    CDataInt v(42);
    EXPECT_TRUE(grid.SetElement({2, 3}, &v).IsSuccess());
    CData* out = nullptr;
    EXPECT_TRUE(grid.GetElement({2, 3}, out).IsSuccess());
    EXPECT_EQ(out->GetString(), "42");
    EXPECT_EQ(IntAt(grid, 6), 42);  // row-major: (2-1)*4 + (3-1)
    EXPECT_FALSE(grid.GetElement({3, 1}, out).IsSuccess());
    EXPECT_FALSE(grid.GetElement({0, 1}, out).IsSuccess());
    EXPECT_FALSE(grid.GetElement({1}, out).IsSuccess());
    EXPECT_FALSE(grid.SetElement({1, 5}, &v).IsSuccess());
    EXPECT_FALSE(grid.Dimension({100000, 100000}).IsSuccess());

    // Growing the second dimension keeps every element at its indices.
    DimensionList far;
    far.Append(2);
    far.Append(6);
    EXPECT_TRUE(grid.SetData(&v, far.Get()).IsSuccess());
    EXPECT_EQ(Shape(grid), (std::vector<int>{2, 6}));
    EXPECT_TRUE(grid.GetElement({2, 3}, out).IsSuccess());
    EXPECT_EQ(out->GetString(), "42");
}

TEST(VariableTest, TypesConvertOnlyWhereValuesFit)
{
    CVariable r("r", CDataReal::GetRegisteredType());
    CDataInt three(3);
    EXPECT_TRUE(r.SetData(&three).IsSuccess());
    EXPECT_EQ(r.GetWorkingData()->GetType(), CDataReal::GetRegisteredType());
    CVariable i("i", CDataInt::GetRegisteredType());
    CDataReal half(0.5);
    CStatus s = i.SetData(&half);
    EXPECT_TRUE(s.IsError());
    EXPECT_EQ(s.GetStatusMessage(), "Cannot store a real value in int variable 'i'.");
    CVariable untyped;
    CDataString text("x");
    EXPECT_TRUE(untyped.SetData(&text).IsSuccess());
    EXPECT_EQ(untyped.GetType(), CDataString::GetRegisteredType());
}

TEST(FunctionApiTest, BorrowedAndOwnedParameters)
{
    CVariable script("f", CDataInt::GetRegisteredType());
    {
        SSI_FunctionAPI call;
        EXPECT_FALSE(call.InitParams(-1));
        EXPECT_FALSE(call.InitParams(2000000000));
        ASSERT_TRUE(call.InitParams(2));
        EXPECT_TRUE(call.SetBorrowedParameter(0, &script));
        CVariable temp("t", CDataString::GetRegisteredType());
        int index = 1;
        EXPECT_TRUE(call.AddParameter(temp, index));
        int bad = 2;
        EXPECT_FALSE(call.AddParameter(temp, bad));
        EXPECT_EQ(call[0], &script);
        EXPECT_NE(call[1], &temp);
        EXPECT_EQ(call.GetParameterType(1), CDataString::GetRegisteredType());
        EXPECT_EQ(call[5], nullptr);
        EXPECT_EQ(call.GetParameterType(5), 0);
        CDataInt r(4);
        EXPECT_TRUE(call.SetReturnData(&r).IsSuccess());
        EXPECT_EQ(call.GetReturnData()->GetWorkingData()->GetString(), "4");
    }
    // The call did not destroy the script's variable.
    EXPECT_EQ(script.GetWorkingData()->GetString(), "0");
}

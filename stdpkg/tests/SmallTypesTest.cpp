#include "DataMatrix.h"
#include "DataPoint.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <climits>

TEST(DataMatrix, ShapeValuesAndIndependentCopies)
{
    CDataMatrix m;
    EXPECT_EQ(m.GetTypeName(), "matrix");
    EXPECT_EQ(m.GetString(), "\n");
    ASSERT_TRUE(m.DataFromString("[3,2]"));
    EXPECT_EQ(m.GetColumns(), 3);
    EXPECT_EQ(m.GetRows(), 2);
    EXPECT_EQ(m.GetString(), "\n[0.000000 0.000000 0.000000 ]\n[0.000000 0.000000 0.000000 ]\n");
    EXPECT_FALSE(m.DataFromString("[4]"));
    EXPECT_FALSE(m.DataFromString("[-1,2]"));
    EXPECT_FALSE(m.DataFromString("[100000,100000]"));
    EXPECT_EQ(m.GetColumns(), 3);

    ASSERT_TRUE(m.SetAt(2, 1, 1.5));
    EXPECT_FALSE(m.SetAt(3, 0, 1.0));
    CDataMatrix copy;
    ASSERT_TRUE(copy.CopyData(&m));
    CDataMatrix constructed(m);
    m.SetAt(2, 1, 9.0);
    double v = 0;
    ASSERT_TRUE(copy.GetAt(2, 1, v));
    EXPECT_EQ(v, 1.5);
    ASSERT_TRUE(constructed.GetAt(2, 1, v));
    EXPECT_EQ(v, 1.5);
    CDataPoint p;
    EXPECT_FALSE(copy.CopyData(&p));
}

TEST(DataPoint, ArithmeticAndText)
{
    CDataPoint p;
    EXPECT_EQ(p.GetTypeName(), "point");
    EXPECT_NE(CDataPoint::GetRegisteredType(), 0);
    ASSERT_TRUE(p.DataFromString("[1,2,2]"));
    EXPECT_EQ(p.GetString(), "[1.000000,2.000000,2.000000]");
    EXPECT_DOUBLE_EQ(p.mag(), 3.0);
    p.unitize();
    EXPECT_DOUBLE_EQ(p.x, 1.0 / 3);
    EXPECT_DOUBLE_EQ(p.z, 2.0 / 3);
    CDataPoint zero;
    zero.unitize();
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_FALSE(zero.DataFromString("[5,6]"));
    EXPECT_EQ(zero.y, 6.0);  // the components read are kept

    CDataPoint a(1, 2, 3), b(1, 1, 1);
    EXPECT_EQ(a.operator_plus(&b, nullptr), &a);
    EXPECT_EQ(a.GetString(), "[2.000000,3.000000,4.000000]");
    CDataInt i(1);
    EXPECT_EQ(a.operator_plus(&i, nullptr), nullptr);
    EXPECT_EQ(a.operator_equal(&i, nullptr), nullptr);
    EXPECT_EQ(a.SizeOf(), 24);
}

TEST(TestDataType, IntAssignmentAndAddition)
{
    TestData t;
    EXPECT_EQ(t.GetTypeName(), "tst");
    CDataInt five(5), two(2), big(INT_MAX);
    CDataReal real(1.5);
    EXPECT_EQ(t.operator_equal(&five, nullptr), &t);
    EXPECT_EQ(t.operator_plus(&two, nullptr), &t);
    EXPECT_EQ(t.GetString(), "7");
    EXPECT_EQ(t.operator_plus(&real, nullptr), nullptr);
    EXPECT_EQ(t.GetData(), 7);
    t.operator_plus(&big, nullptr);  // wraps, no overflow
    EXPECT_EQ(t.GetData(), INT_MIN + 6);
    TestData u;
    EXPECT_TRUE(u.CopyData(&t));
    EXPECT_EQ(u.GetData(), INT_MIN + 6);
    EXPECT_FALSE(u.DataFromString("3"));
}

#include "Almanac.h"
#include "CallRecord.h"
#include "DataBitmap.h"
#include "DataFile.h"
#include "DataOptions.h"
#include "StandardFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

CallRecord& Call(CallRecord& c) { return c.Run(StandardFunctionProcessor); }

TEST(Registration, DeclaresTheTableAndRegistersThreeTypes)
{
    CEngine engine;
    RegisterFunctions(&engine);
    EXPECT_EQ(engine.GetPackageName(), "Standard");
    EXPECT_NE(CDataFile::GetRegisteredType(), 0);
    EXPECT_NE(CDataBitmap::GetRegisteredType(), 0);
    EXPECT_NE(CDataOptions::GetRegisteredType(), 0);

    const auto* format = engine.FindFunctions("format");
    ASSERT_NE(format, nullptr);
    ASSERT_EQ(format->size(), 2u);
    EXPECT_EQ((*format)[0].ParamTypes[1], CDataInt::GetRegisteredType());
    EXPECT_EQ((*format)[1].ParamTypes[1], CDataReal::GetRegisteredType());

    const auto* evaluate = engine.FindFunctions("Evaluate");
    ASSERT_NE(evaluate, nullptr);
    EXPECT_EQ((*evaluate)[0].ReturnType, LOOM_TYPE_ANY);
    const auto* cd = engine.FindFunctions("cd");
    ASSERT_NE(cd, nullptr);
    EXPECT_EQ((*cd)[0].ReturnType, 0);
    // (On Windows the test sees the import thunk, not the function itself.)
    EXPECT_NE((*cd)[0].Processor, nullptr);
    EXPECT_EQ((*cd)[0].MemberProcessor, nullptr);
    const auto* length = engine.FindFunctions("length");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ((*length)[0].ParamTypes[0], LOOM_TYPE_ANY);
    for (const char* name : {"pwd", "string", "strrev", "replace", "find", "substring", "getlength", "trim",
                             "split", "toupper", "tolower", "size", "mean", "sin", "cos", "tan", "asin", "acos",
                             "atan", "atan2", "sinh", "cosh", "tanh", "rand", "abs", "sign", "mod", "int", "real",
                             "sqrt", "GetErrorCount", "GetWarningCount"})
        EXPECT_NE(engine.FindFunctions(name), nullptr) << name;
    EXPECT_EQ(engine.FindFunctions("ones"), nullptr);
    CleanUp();
}

TEST(Dispatch, UnknownOrMiscasedNameChangesNothing)
{
    CallRecord c("Strrev");
    c.Str("abc");
    Call(c);
    EXPECT_EQ(c.ResultData(), nullptr);
    EXPECT_EQ(c.Status().GetState(), 1);
    EXPECT_EQ(c.Status().GetStatusMessage(), "OK");
}

TEST(Strings, ReverseReplaceTrimCase)
{
    CallRecord rev("strrev");
    EXPECT_EQ(Call(rev.Str("abc")).ResultString(), "cba");
    CallRecord rep("replace");
    EXPECT_EQ(Call(rep.Str("a-b-c").Str("-").Str("+")).ResultString(), "a+b+c");
    CallRecord repEmpty("replace");
    EXPECT_EQ(Call(repEmpty.Str("abc").Str("").Str("x")).ResultString(), "abc");
    CallRecord trim("trim");
    EXPECT_EQ(Call(trim.Str(" \tx y\r\n")).ResultString(), "x y");
    CallRecord up("toupper"), low("tolower");
    EXPECT_EQ(Call(up.Str("aB1")).ResultString(), "AB1");
    EXPECT_EQ(Call(low.Str("aB1")).ResultString(), "ab1");
    CallRecord find("find"), sub("substring"), len("getlength");
    EXPECT_EQ(Call(find.Str("hello").Str("ll")).ResultInt(), 2);
    EXPECT_EQ(Call(sub.Str("hello").Int(1).Int(3)).ResultString(), "el");
    EXPECT_EQ(Call(len.Str("hello")).ResultInt(), 5);
}

TEST(Strings, StringOfAnyValue)
{
    CDataBitmap bitmap;
    CallRecord b("string");
    EXPECT_EQ(Call(b.Value(bitmap)).ResultString(), "Bitmap");
    CallRecord i("string");
    EXPECT_EQ(Call(i.Int(42)).ResultString(), "42");
}

TEST(Strings, SplitFillsTheResultArrayFromOne)
{
    CallRecord c("split");
    Call(c.Str("a,b,,c").Str(","));
    CVariable* r = c.Result();
    ASSERT_EQ(r->GetNumElems(), 4);
    EXPECT_EQ(r->Get(0)->GetString(), "a");
    EXPECT_EQ(r->Get(1)->GetString(), "b");
    EXPECT_EQ(r->Get(2)->GetString(), "");
    EXPECT_EQ(r->Get(3)->GetString(), "c");

    CallRecord empty("split");
    Call(empty.Str("").Str(","));
    EXPECT_EQ(empty.Result()->GetNumElems(), 0);
}

TEST(Format, OneIntOrRealConversion)
{
    CallRecord i("format");
    EXPECT_EQ(Call(i.Str("%04d").Int(7)).ResultString(), "0007");
    CallRecord r("format");
    EXPECT_EQ(Call(r.Str("%5.2f").Real(3.14159)).ResultString(), " 3.14");
    CallRecord pct("format");
    EXPECT_EQ(Call(pct.Str("%d%%").Int(50)).ResultString(), "50%");
}

TEST(Format, FormatsThatWouldReadPastTheValueAreErrors)
{
    struct Case {
        const char* fmt;
        bool real;
        const char* code;
    } cases[] = {
        {"%s", false, "(5141)"},   {"%d %d", false, "(5141)"}, {"%*d", false, "(5141)"},
        {"%f", false, "(5141)"},   {"%ld", false, "(5141)"},   {"text", false, "(5141)"},
        {"%n", false, "(5141)"},   {"%d", true, "(5142)"},     {"%s", true, "(5142)"},
        {"%f%f", true, "(5142)"},  {"%1$f", true, "(5142)"},   {"%.*f", true, "(5142)"},
        {"%99999f", true, "(5142)"}, {"%", true, "(5142)"},
    };
    for (const Case& k : cases) {
        CallRecord c("format");
        c.Str(k.fmt);
        if (k.real) c.Real(1.5);
        else c.Int(3);
        Call(c);
        EXPECT_EQ(c.Status().GetState(), 0) << k.fmt;
        EXPECT_NE(c.Status().GetStatusMessage().Find(k.code), -1) << k.fmt;
        EXPECT_NE(c.Status().GetStatusMessage().Find(k.fmt), -1) << k.fmt;
        EXPECT_EQ(c.ResultData(), nullptr) << k.fmt;
    }
}

TEST(Arrays, LengthSizeMean)
{
    CallRecord len("length");
    EXPECT_EQ(Call(len.IntArray({1, 2, 3})).ResultInt(), 3);

    CallRecord scalar("size");
    Call(scalar.Int(9));
    EXPECT_FALSE(scalar.Result()->IsArray());
    EXPECT_EQ(scalar.ResultInt(), 1);

    CallRecord shape("size");
    shape.IntArray({});
    CVariable& grid = shape.Param(0);
    ASSERT_TRUE(grid.Dimension({3, 4}));
    Call(shape);
    ASSERT_EQ(shape.Result()->GetNumElems(), 2);
    EXPECT_EQ(shape.ResultElement(0), 3);
    EXPECT_EQ(shape.ResultElement(1), 4);

    CallRecord mean("mean");
    EXPECT_DOUBLE_EQ(Call(mean.RealArray({1.0, 2.0, 6.0})).ResultReal(), 3.0);
    CallRecord none("mean");
    none.RealArray({});
    none.Param(0).Clear();
    EXPECT_TRUE(std::isnan(Call(none).ResultReal()));
}

TEST(Math, RealFunctions)
{
    CallRecord t("tan");
    EXPECT_NEAR(Call(t.Real(0.5)).ResultReal(), 0.5463, 1e-4);
    CallRecord a2("atan2");
    EXPECT_NEAR(Call(a2.Real(1.0).Real(0.0)).ResultReal(), std::acos(-1.0) / 2, 1e-12);
    CallRecord ab("abs");
    EXPECT_EQ(Call(ab.Real(-2.5)).ResultReal(), 2.5);
    CallRecord sq("sqrt");
    EXPECT_TRUE(std::isnan(Call(sq.Real(-1.0)).ResultReal()));
    CallRecord realOf("real");
    EXPECT_EQ(Call(realOf.Int(-7)).ResultReal(), -7.0);
}

TEST(Math, SignModInt)
{
    auto sign = [](double x) {
        CallRecord c("sign");
        return Call(c.Real(x)).ResultInt();
    };
    EXPECT_EQ(sign(0.0), 1);
    EXPECT_EQ(sign(-0.5), -1);
    EXPECT_EQ(sign(NAN), 1);

    auto mod = [](int a, int b, CStatus* status = nullptr) {
        CallRecord c("mod");
        Call(c.Int(a).Int(b));
        if (status) *status = c.Status();
        return c.ResultInt();
    };
    EXPECT_EQ(mod(7, -3), 1);
    EXPECT_EQ(mod(-7, 3), -1);
    EXPECT_EQ(mod(INT_MIN, -1), 0);
    CStatus warn;
    EXPECT_EQ(mod(5, 0, &warn), 0);
    EXPECT_EQ(warn.GetState(), 2);
    EXPECT_EQ(warn.GetStatusMessage(), "Modulus divide by 0");

    auto toInt = [](double x) {
        CallRecord c("int");
        return Call(c.Real(x)).ResultInt();
    };
    EXPECT_EQ(toInt(-2.7), -2);
    EXPECT_EQ(toInt(2.7), 2);
    EXPECT_EQ(toInt(4294967296.0 + 5), 5);  // the low 32 bits
    EXPECT_EQ(toInt(-1e300), almanac::TruncateToInt(-1e300));
    EXPECT_EQ(toInt(NAN), 0);
    EXPECT_EQ(toInt(INFINITY), 0);
}

TEST(Math, RandStaysInRange)
{
    for (int i = 0; i < 200; ++i) {
        CallRecord zero("rand"), one("rand");
        EXPECT_EQ(Call(zero.Int(0)).ResultInt(), 0);
        const int r = Call(one.Int(1)).ResultInt();
        EXPECT_TRUE(r == 0 || r == 1);
    }
    EXPECT_EQ(almanac::ScaledRandom(INT_MAX, 32767), INT_MAX - 65535);
    EXPECT_EQ(almanac::ScaledRandom(100000, 32767), 99997);
    EXPECT_EQ(almanac::ScaledRandom(5, 32767), 5);
}

class FakeInterpreter : public CInterpreter {
public:
    CStatus Evaluate(const String& text, CVariable& result) override
    {
        if (text == "1+2") {
            CDataInt three(3);
            result.SetData(&three);
            return CStatus();
        }
        return CStatus::MakeError("cannot evaluate");
    }
    void SetStopFlag() override {}
    CStatus AssignVariable(CVariable&) override { return CStatus(); }
    CStatus DefineVariable(CData&, const String&) override { return CStatus(); }
};

TEST(Engine, EvaluateAndEnvironment)
{
    CEngine engine;
    CallRecord noInterpreter("Evaluate", &engine);
    Call(noInterpreter.Str("1+2"));
    EXPECT_EQ(noInterpreter.Status().GetState(), 0);
    EXPECT_NE(noInterpreter.Status().GetStatusMessage().Find("StandardFunctions"), -1);

    FakeInterpreter interpreter;
    engine.SetInterpreter(&interpreter);
    CallRecord ok("Evaluate", &engine);
    EXPECT_EQ(Call(ok.Str("1+2")).ResultInt(), 3);
    EXPECT_TRUE(ok.Status().IsSuccess());
    CallRecord bad("Evaluate", &engine);
    Call(bad.Str("1+"));
    EXPECT_EQ(bad.Status().GetStatusMessage(), "cannot evaluate");
    EXPECT_EQ(bad.ResultData(), nullptr);

    CallRecord cd("cd", &engine);
    Call(cd.Str("/definitely/not/here"));
    EXPECT_FALSE(cd.Status().IsSuccess());
    CallRecord pwd("pwd", &engine);
    EXPECT_EQ(Call(pwd).ResultString(), engine.GetEnvironment()->GetCWD());
    engine.GetEnvironment()->CountError();
    CallRecord errors("GetErrorCount", &engine), warnings("GetWarningCount", &engine);
    EXPECT_EQ(Call(errors).ResultInt(), 1);
    EXPECT_EQ(Call(warnings).ResultInt(), 0);
}

}  // namespace

// The engine's own value types: int, real, string, bool and void. Each
// registers itself with the factory on its first construction.
#pragma once

#include "Data.h"

#include <cstdint>

#define LOOM_DECLARE_TYPE_REGISTRATION                           \
public:                                                          \
    static int GetRegisteredType();                              \
    int Register(int type) override { sType = type; return 1; }  \
    void UnRegister() override { sType = 0; }                    \
private:                                                         \
    static int sType;                                            \
public:

class LOOM_API CDataInt : public CData {
    LOOM_DECLARE_TYPE_REGISTRATION
    CDataInt();
    explicit CDataInt(int32_t value);
    int32_t Data = 0;

    bool boolean() override { return Data != 0; }
    CData* operator_plus(CData* other, OpInfoT* info) override;
    CData* operator_equal(CData* other, OpInfoT* info) override;
    CData* operator_minus(CData* other, OpInfoT* info) override;
    CData* operator_multiply(CData* other, OpInfoT* info) override;
    CData* operator_modulous(CData* other, OpInfoT* info) override;
    CData* operator_divide(CData* other, OpInfoT* info) override;
    CData* operator_power(CData* other, OpInfoT* info) override;
    CData* operator_bit_and(CData* other, OpInfoT* info) override;
    CData* operator_bit_or(CData* other, OpInfoT* info) override;
    CData* negate(OpInfoT* info) override;
    bool CopyData(CData* other) override;
    CData* MakeData() override { return new CDataInt; }
    bool DeleteData(CData* data) override { delete data; return true; }
    // Decimal with optional sign, or 0x hexadecimal; blanks around allowed.
    bool DataFromString(const String& text) override;
    String GetString() override;
    int SizeOf() override { return 4; }
    CStatus operator_compare(CData* other, int& out) override;
    CData* operator_decrement(OpInfoT* info) override { --Data; (void)info; return this; }
    CData* operator_increment(OpInfoT* info) override { ++Data; (void)info; return this; }
};

class LOOM_API CDataReal : public CData {
    LOOM_DECLARE_TYPE_REGISTRATION
    CDataReal();
    explicit CDataReal(double value);
    double Data = 0.0;

    bool boolean() override { return Data != 0.0; }
    CData* operator_plus(CData* other, OpInfoT* info) override;
    CData* operator_equal(CData* other, OpInfoT* info) override;
    CData* operator_minus(CData* other, OpInfoT* info) override;
    CData* operator_multiply(CData* other, OpInfoT* info) override;
    CData* operator_divide(CData* other, OpInfoT* info) override;
    CData* operator_power(CData* other, OpInfoT* info) override;
    CData* negate(OpInfoT* info) override { Data = -Data; (void)info; return this; }
    bool CopyData(CData* other) override;
    CData* MakeData() override { return new CDataReal; }
    bool DeleteData(CData* data) override { delete data; return true; }
    // Decimal with optional sign, fraction and exponent; integers too.
    bool DataFromString(const String& text) override;
    String GetString() override;
    int SizeOf() override { return 8; }
    CStatus operator_compare(CData* other, int& out) override;
    CData* operator_decrement(OpInfoT* info) override { Data -= 1.0; (void)info; return this; }
    CData* operator_increment(OpInfoT* info) override { Data += 1.0; (void)info; return this; }
};

class LOOM_API CDataString : public CData {
    LOOM_DECLARE_TYPE_REGISTRATION
    CDataString();
    explicit CDataString(const String& value);
    String Data;

    bool boolean() override { return !Data.IsEmpty(); }
    // string + any value joins the other value's text form.
    CData* operator_plus(CData* other, OpInfoT* info) override;
    CData* operator_equal(CData* other, OpInfoT* info) override;
    bool CopyData(CData* other) override;
    CData* MakeData() override { return new CDataString; }
    bool DeleteData(CData* data) override { delete data; return true; }
    // A double-quoted literal with the escapes \n \t \r \" \\ \0; blanks
    // around it allowed. Anything else: false, value unchanged.
    bool DataFromString(const String& text) override;
    String GetString() override { return Data; }
    int SizeOf() override { return Data.GetLength(); }
    CStatus operator_compare(CData* other, int& out) override;

    // Parses a literal without touching any object; false when text is none.
    static bool ParseLiteral(const String& text, String& value);
};

class LOOM_API CDataBool : public CData {
    LOOM_DECLARE_TYPE_REGISTRATION
    CDataBool();
    explicit CDataBool(bool value);
    unsigned char Data = 0;

    bool boolean() override { return Data != 0; }
    CData* operator_equal(CData* other, OpInfoT* info) override;
    CData* operator_bit_and(CData* other, OpInfoT* info) override;
    CData* operator_bit_or(CData* other, OpInfoT* info) override;
    bool CopyData(CData* other) override;
    CData* MakeData() override { return new CDataBool; }
    bool DeleteData(CData* data) override { delete data; return true; }
    bool DataFromString(const String& text) override;  // true / false
    String GetString() override { return Data ? "true" : "false"; }
    int SizeOf() override { return 1; }
    CStatus operator_compare(CData* other, int& out) override;
};

class LOOM_API CDataVoid : public CData {
    LOOM_DECLARE_TYPE_REGISTRATION
    CDataVoid();

    bool boolean() override { return false; }
    CData* operator_equal(CData* other, OpInfoT* info) override;
    bool CopyData(CData* other) override { return other && other->GetType() == GetType(); }
    CData* MakeData() override { return new CDataVoid; }
    bool DeleteData(CData* data) override { delete data; return true; }
    bool DataFromString(const String&) override { return false; }
    String GetString() override { return ""; }
    int SizeOf() override { return 0; }
};

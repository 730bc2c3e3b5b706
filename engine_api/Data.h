// CData: the base of every script value. The virtual slots keep this exact
// order; packages override the ones they need.
//
// Operator slots are called by the interpreter on a temporary copy of the
// left operand: an implementation may change the receiver and return it, or
// return a new object that the caller then owns. A null result means the
// operation is not defined for these operands; info->Status may then say why.
#pragma once

#include "Status.h"

class CFunctionDecl;
class CVariable;
class SSI_FunctionAPI;

struct LOOM_API OpInfoT {
    CStatus Status;
};

class LOOM_API CData {
public:
    CData() = default;
    CData(const CData&) = default;

    virtual bool boolean();                                            // 0
    virtual ~CData();                                                  // 1
    virtual CData& operator=(CData& other);                            // 2
    virtual CData* operator_plus(CData* other, OpInfoT* info);         // 3
    virtual CData* operator_equal(CData* other, OpInfoT* info);        // 4 (assignment)
    virtual CData* operator_minus(CData* other, OpInfoT* info);        // 5
    virtual CData* operator_multiply(CData* other, OpInfoT* info);     // 6
    virtual CData* operator_modulous(CData* other, OpInfoT* info);     // 7
    virtual CData* operator_divide(CData* other, OpInfoT* info);       // 8
    virtual CData* operator_power(CData* other, OpInfoT* info);        // 9
    virtual CData* operator_bit_and(CData* other, OpInfoT* info);      // 10
    virtual CData* operator_bit_or(CData* other, OpInfoT* info);       // 11
    virtual CData* negate(OpInfoT* info);                              // 12
    virtual bool CopyData(CData* other);                               // 13
    virtual CData* MakeData();                                         // 14
    virtual bool DeleteData(CData* data);                              // 15
    virtual bool DataFromString(const String& text);                   // 16
    virtual String GetString();                                        // 17
    virtual int SizeOf();                                              // 18
    virtual int Register(int type);                                    // 19
    virtual void UnRegister();                                         // 20
    virtual CStatus InitData();                                        // 21
    virtual CStatus AddFunction(CFunctionDecl& decl);                  // 22
    virtual void SSI_FunctionProcessor(SSI_FunctionAPI& call);         // 23
    virtual CStatus AddVariable(CVariable& variable);                  // 24
    virtual CStatus SSI_UpdateVariable(CVariable& variable, char fetch); // 25
    // out < 0, == 0 or > 0 as this value is below, equal to or above other.
    virtual CStatus operator_compare(CData* other, int& out);          // 26
    virtual CData* operator_decrement(OpInfoT* info);                  // 27
    virtual CData* operator_increment(OpInfoT* info);                  // 28
    virtual String DisplayMembers();                                   // 29
    virtual String DisplayMembersHELP();                               // 30
    virtual String GetMemberFunctions();                               // 31

    int GetType() const { return m_Type; }
    void SetType(int type) { m_Type = type; }
    const String& GetTypeName() const { return m_TypeName; }
    void SetTypeName(const String& name) { m_TypeName = name; }

    // A new object of this value's type holding a copy of this value, or
    // null. The caller owns it.
    CData* Clone();

protected:
    int m_Type = 0;
    String m_TypeName;
};

// TestData: the type "tst", an int holder that takes assignment and
// addition of int values.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"

class ALMANAC_API TestData : public CData {
public:
    TestData();
    ~TestData() override;

    static int GetRegisteredType();
    int GetData() const { return m_Value; }

    CData* operator_plus(CData* other, OpInfoT* info) override;
    CData* operator_equal(CData* other, OpInfoT* info) override;
    bool CopyData(CData* other) override;
    CData* MakeData() override;
    bool DataFromString(const String& text) override;
    String GetString() override;
    int SizeOf() override;
    int Register(int type) override;
    void UnRegister() override;

private:
    int m_Value = 0;

    static int sType;
};

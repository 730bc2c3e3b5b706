// Byte layouts of the records that travel through the shared block.
#include "Marshal.h"
#include "MemoryMapper.h"
#include "SquireFunctionApi.h"
#include "TypeMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The caller's identity pairs for the five carried types.
void MapOwnTypes()
{
    for (int type : {CDataInt::GetRegisteredType(), CDataBool::GetRegisteredType(), CDataString::GetRegisteredType(),
                     CDataReal::GetRegisteredType(), CDataVoid::GetRegisteredType()})
        LocalAddMap(type, type);
}

// A mapped view of the block for the duration of a test.
class Block {
public:
    Block() { m_View = static_cast<unsigned char*>(m_Mapper.MakePointer()); }
    ~Block() { m_Mapper.UnMap(m_View); }
    unsigned char* Data() const { return m_View; }

private:
    CMemoryMapper m_Mapper;
    unsigned char* m_View = nullptr;
};

int32_t IntAt(const unsigned char* p)
{
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

TEST(MarshalTest, DataObjectLayouts)
{
    MapOwnTypes();
    Block block;
    ASSERT_NE(block.Data(), nullptr);
    unsigned char* p = block.Data();

    CDataString empty("");
    EXPECT_EQ(WriteDataObject(p, &empty), 8);
    EXPECT_EQ(IntAt(p), CDataString::GetRegisteredType());
    EXPECT_EQ(IntAt(p + 4), 0);

    CDataInt i(-7);
    EXPECT_EQ(WriteDataObject(p, &i), 8);
    EXPECT_EQ(IntAt(p + 4), -7);

    CDataReal r(2.5);
    EXPECT_EQ(WriteDataObject(p, &r), 12);
    double d;
    std::memcpy(&d, p + 4, 8);
    EXPECT_EQ(d, 2.5);

    CDataBool b(true);
    b.Data = 7;  // the byte goes as held
    EXPECT_EQ(WriteDataObject(p, &b), 5);
    EXPECT_EQ(p[4], 7);
    int count = 0;
    CData* back = ReadDataObject(p, &count);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(static_cast<CDataBool*>(back)->Data, 7);
    delete back;

    CDataVoid v;
    EXPECT_EQ(WriteDataObject(p, &v), 4);

    EXPECT_EQ(WriteDataObject(p, nullptr), 0);
}

TEST(MarshalTest, LongStringIsCutAndZeroByteEndsText)
{
    MapOwnTypes();
    Block block;
    unsigned char* p = block.Data();
    CDataString longText(String(std::string(8387605, 'a')));
    EXPECT_EQ(WriteDataObject(p, &longText), 8 + 8387604);
    EXPECT_EQ(IntAt(p + 4), 8387604);
    // There is no room for the same record a byte further on.
    EXPECT_EQ(WriteDataObject(p + 1000, &longText), 0);

    CDataString withZero(String(std::string("ab\0cd", 5)));
    EXPECT_EQ(WriteDataObject(p, &withZero), 13);
    int count = 0;
    CData* back = ReadDataObject(p, &count);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(count, 13);
    EXPECT_EQ(static_cast<CDataString*>(back)->Data, "ab");
    delete back;
}

TEST(MarshalTest, ReadersRefuseRecordsThatLeaveTheBlock)
{
    MapOwnTypes();
    Block block;
    unsigned char* p = block.Data();
    // A string whose length runs past the end of the block.
    const int32_t type = CDataString::GetRegisteredType();
    std::memcpy(p, &type, 4);
    const int32_t huge = 0x7FFFFFF0;
    std::memcpy(p + 4, &huge, 4);
    int count = -1;
    EXPECT_EQ(ReadDataObject(p, &count), nullptr);
    const int32_t negative = -5;
    std::memcpy(p + 4, &negative, 4);
    EXPECT_EQ(ReadDataObject(p, &count), nullptr);
    // A record starting in the last three bytes of the block.
    EXPECT_EQ(ReadDataObject(p + 0x800000 - 3, &count), nullptr);
    // An unknown type number.
    const int32_t bogus = 31337;
    std::memcpy(p, &bogus, 4);
    EXPECT_EQ(ReadDataObject(p, &count), nullptr);
    // Memory that is no block at all.
    unsigned char local[16] = {};
    EXPECT_EQ(ReadDataObject(local, &count), nullptr);
    EXPECT_EQ(WriteDataObject(local, nullptr), 0);

    // A call record claiming two billion parameters.
    SQUIRE_FunctionAPI call;
    const int32_t header[3] = {1, 2000000000, 0};
    std::memcpy(p, header, sizeof header);
    EXPECT_EQ(ReadFunctionAPI(p, &call), 0);
}

TEST(MarshalTest, CallRecordRoundTripAndRepeatableBytes)
{
    MapOwnTypes();
    Block block;
    unsigned char* p = block.Data();
    SQUIRE_FunctionAPI call;
    call.m_FunctionName = "GetItemText";
    call.InitParams(2);
    CVariable a("a", CDataInt::GetRegisteredType());
    CDataInt three(3);
    a.SetData(&three);
    CVariable b("b", CDataString::GetRegisteredType());
    CDataString col("x");
    b.SetData(&col);
    int i0 = 0, i1 = 1;
    call.AddParameter(a, i0);
    call.AddParameter(b, i1);
    call.GetReturnData()->SetType(CDataString::GetRegisteredType());
    call.m_ReturnStatus = CStatus::MakeError("bad");

    ASSERT_EQ(WriteFunctionAPI(p, &call), 1);
    const int nameLength = 11;
    EXPECT_EQ(IntAt(p + 4), 2);
    EXPECT_EQ(IntAt(p + 8), nameLength);
    EXPECT_EQ(std::memcmp(p + 12, "GetItemText", 11), 0);
    const int afterReturn = 12 + nameLength + 8;  // empty string return value
    EXPECT_EQ(IntAt(p + afterReturn), 0);        // state
    EXPECT_EQ(IntAt(p + afterReturn + 4), 3);    // message length
    const int total = afterReturn + 8 + 3 + 8 + 9;
    std::vector<unsigned char> first(p, p + total);
    ASSERT_EQ(WriteFunctionAPI(p, &call), 1);
    EXPECT_EQ(std::vector<unsigned char>(p, p + total), first);

    SQUIRE_FunctionAPI back;
    ASSERT_EQ(ReadFunctionAPI(p, &back), 1);
    EXPECT_EQ(back.m_FunctionName, "GetItemText");
    EXPECT_EQ(back.GetNumParams(), 2);
    EXPECT_EQ(back[0]->GetWorkingData()->GetString(), "3");
    EXPECT_EQ(back[1]->GetWorkingData()->GetString(), "x");
    EXPECT_EQ(back.m_ReturnStatus.GetState(), 0);
    EXPECT_EQ(back.m_ReturnStatus.GetStatusMessage(), "bad");

    // Without parameters the record ends right after the status message.
    SQUIRE_FunctionAPI bare;
    bare.m_FunctionName = "GetCount";
    bare.InitParams(0);
    bare.GetReturnData()->SetType(CDataInt::GetRegisteredType());
    int written = 0;
    ASSERT_EQ(squire::WriteFunctionApiIn(p, p + 0x800000, &bare, &written), 1);
    EXPECT_EQ(written, 12 + 8 + 8 + 8 + 2);

    // A return value of a type that cannot travel fails the write.
    SQUIRE_FunctionAPI noReturn;
    noReturn.m_FunctionName = "X";
    EXPECT_EQ(WriteFunctionAPI(p, &noReturn), 0);
}

TEST(TypeMapTest, AddReplacesAndStopsAtThirtyTwoEntries)
{
    CTypeMap map;
    EXPECT_EQ(map.Add(100, 5), 0);
    EXPECT_EQ(map.Add(101, 6), 1);
    EXPECT_EQ(map.Add(100, 7), 0);  // same key: value replaced, same index
    EXPECT_EQ(map.Lookup(100), 7);
    EXPECT_EQ(map.ReverseLookup(6), 101);
    EXPECT_EQ(map.Lookup(999), 0);
    for (int k = 2; k < 32; ++k) EXPECT_EQ(map.Add(200 + k, k), k);
    EXPECT_EQ(map.Add(5000, 1), 0);  // the 33rd key is not stored
    EXPECT_EQ(map.Lookup(5000), 0);
}

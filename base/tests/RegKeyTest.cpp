// The regkey type over keys the tests create under HKEY_CURRENT_USER.
#include "RegKey.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

namespace {

class RegKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        subKey = "Software\\KestrelBaseTest" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        HKEY child = nullptr;
        RegCreateKeyExA(key, "Inner", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
        Set(child, "deep", REG_SZ, "down", 5);
        RegCloseKey(child);
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CURRENT_USER, (subKey + "\\Inner").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
    }
    static void Set(HKEY k, const char* name, DWORD type, const void* data, DWORD size)
    {
        RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    std::string Path() const { return "HKEY_CURRENT_USER:" + subKey; }
    static std::set<std::string> Split(const std::string& text, const std::string& sep)
    {
        std::set<std::string> parts;
        size_t start = 0;
        for (;;) {
            size_t p = text.find(sep, start);
            parts.insert(text.substr(start, p == std::string::npos ? std::string::npos : p - start));
            if (p == std::string::npos)
                return parts;
            start = p + sep.size();
        }
    }

    std::string subKey;
    HKEY key = nullptr;
};

}  // namespace

TEST_F(RegKeyTest, ClosedKeyAndTextForm)
{
    CDataRegKey k;
    EXPECT_EQ(k.GetString(), "Handle: 0 Open: 0 Path: ''");
    EXPECT_EQ(k.GetValueCount(), -1);
    EXPECT_EQ(k.GetValues(";", "="), "");
    EXPECT_EQ(k.GetTypeName(), "regkey");
    EXPECT_EQ(k.GetType(), CDataRegKey::GetRegisteredType());
    EXPECT_FALSE(k.DataFromString("x"));
}

TEST_F(RegKeyTest, OpensByPathWithTheSeparator)
{
    CDataRegKey k;
    k.Path = "HKEY_CURRENT_USER:Software";
    EXPECT_TRUE(k.Open());
    EXPECT_EQ(k.OpenState, 1);
    EXPECT_NE(k.Handle, 0);

    k.Path = "HKEY_CURRENT_USER";
    EXPECT_TRUE(k.Open());

    k.Path = "HKEY_NOWHERE:Software";
    EXPECT_FALSE(k.Open());
    EXPECT_EQ(k.OpenState, 0);
    EXPECT_EQ(k.Handle, 0);

    k.Path = (Path() + ":Missing:Deeper").c_str();
    EXPECT_FALSE(k.Open());
    EXPECT_EQ(k.GetValueCount(), -1);

    k.Path = (Path() + ":Inner").c_str();
    ASSERT_TRUE(k.Open());
    EXPECT_EQ(k.GetValues(";", "="), "deep=down");

    // Another separator, set as a member; an empty one is ignored.
    CVariable delim("PathDelim");
    CDataString backslash("\\");
    delim.SetData(&backslash);
    ASSERT_TRUE(k.SSI_UpdateVariable(delim, 0));
    CDataString empty("");
    delim.SetData(&empty);
    ASSERT_TRUE(k.SSI_UpdateVariable(delim, 0));
    EXPECT_EQ(k.PathDelim, "\\");
    k.Path = ("HKEY_CURRENT_USER\\" + subKey + "\\Inner").c_str();
    EXPECT_TRUE(k.Open());
    EXPECT_EQ(k.GetValueCount(), 1);
}

TEST_F(RegKeyTest, ListsValuesByType)
{
    Set(key, "a", REG_SZ, "x", 2);
    DWORD two = 2;
    Set(key, "b", REG_DWORD, &two, 4);
    Set(key, "c", REG_EXPAND_SZ, "%PATH%", 7);
    unsigned char bytes[] = {0x78, 0x56, 0x34, 0x12, 0x99};
    Set(key, "d", REG_BINARY, bytes, 5);
    unsigned char shortBytes[] = {0x01};
    Set(key, "e", REG_BINARY, shortBytes, 1);

    CDataRegKey k;
    k.Path = Path().c_str();
    ASSERT_TRUE(k.Open());
    EXPECT_EQ(k.GetValueCount(), 5);
    std::string listed = k.GetValues(";;", "=").str();
    EXPECT_EQ(listed.substr(listed.size() - 2) == ";;", false);
    EXPECT_EQ(Split(listed, ";;"), (std::set<std::string>{"a=x", "b=0x00000002", "c={Unsupported}",
                                                         "d=0x12345678", "e=0x00000001"}));
}

TEST_F(RegKeyTest, OversizeNamesAndDataAreReadWhole)
{
    std::string longText(5000, 'v');
    std::string longName(300, 'n');
    Set(key, "small", REG_SZ, "s", 2);
    Set(key, "big", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    Set(key, longName.c_str(), REG_SZ, "named", 6);
    CDataRegKey k;
    k.Path = Path().c_str();
    ASSERT_TRUE(k.Open());
    EXPECT_EQ(Split(k.GetValues("|", ":").str(), "|"),
              (std::set<std::string>{"small:s", "big:" + longText, longName + ":named"}));
}

TEST_F(RegKeyTest, CopiesShareOneKeyUntilTheLastLetsGo)
{
    Set(key, "a", REG_SZ, "x", 2);
    CDataRegKey* first = new CDataRegKey;
    first->Path = Path().c_str();
    ASSERT_TRUE(first->Open());
    CDataRegKey copy;
    ASSERT_TRUE(copy.CopyData(first));
    EXPECT_EQ(copy.OpenState, 1);
    CDataRegKey assigned;
    assigned.PathDelim = "/";
    ASSERT_EQ(assigned.operator_equal(first, nullptr), &assigned);
    EXPECT_EQ(assigned.OpenState, -1);
    EXPECT_EQ(assigned.Handle, first->Handle);
    EXPECT_EQ(assigned.PathDelim, "/");

    first->Close();
    EXPECT_EQ(copy.GetValueCount(), 1);  // still open for the copies
    delete first;
    EXPECT_EQ(assigned.GetValues(",", "="), "a=x");
    copy.Close();
    EXPECT_EQ(copy.GetValueCount(), -1);
    EXPECT_EQ(assigned.GetValueCount(), 1);

    CDataInt notAKey(1);
    EXPECT_EQ(assigned.operator_equal(&notAKey, nullptr), nullptr);
    EXPECT_FALSE(assigned.CopyData(&notAKey));

    // A handle written by a script never swaps the key: while one is open
    // the write is ignored and the key stays in use.
    const int opened = assigned.Handle;
    CVariable handle("Handle");
    CDataInt bogus(0x1234);
    handle.SetData(&bogus);
    ASSERT_TRUE(assigned.SSI_UpdateVariable(handle, 0));
    EXPECT_EQ(assigned.Handle, opened);
    EXPECT_EQ(assigned.GetValueCount(), 1);
    // Without an open key the number is only kept for reading back.
    ASSERT_TRUE(copy.SSI_UpdateVariable(handle, 0));
    EXPECT_EQ(copy.Handle, 0x1234);
    EXPECT_EQ(copy.GetValueCount(), -1);
}

TEST_F(RegKeyTest, MembersAndFunctionsThroughTheEngineInterface)
{
    CDataRegKey k;
    CVariable path("Path");
    CDataString text(Path().c_str());
    path.SetData(&text);
    ASSERT_TRUE(k.SSI_UpdateVariable(path, 0));

    SSI_FunctionAPI open;
    open.m_FunctionName = "Open";
    k.SSI_FunctionProcessor(open);
    ASSERT_NE(open.GetReturnData(), nullptr);
    EXPECT_EQ(open.GetReturnData()->GetWorkingData()->GetString(), "1");

    CVariable state("OpenState");
    ASSERT_TRUE(k.SSI_UpdateVariable(state, 1));
    EXPECT_EQ(state.GetWorkingData()->GetString(), "1");
    CVariable readPath("Path");
    ASSERT_TRUE(k.SSI_UpdateVariable(readPath, 1));
    EXPECT_EQ(readPath.GetWorkingData()->GetString(), Path().c_str());

    SSI_FunctionAPI count;
    count.m_FunctionName = "GetValueCount";
    k.SSI_FunctionProcessor(count);
    EXPECT_EQ(count.GetReturnData()->GetWorkingData()->GetString(), "0");

    SSI_FunctionAPI close;
    close.m_FunctionName = "Close";
    close.m_ReturnStatus.Set(CStatus::Warning, "untouched");
    k.SSI_FunctionProcessor(close);
    EXPECT_EQ(close.m_ReturnStatus.GetStatusMessage(), "untouched");
    EXPECT_EQ(k.OpenState, 0);

    SSI_FunctionAPI other;
    other.m_FunctionName = "open";
    other.m_ReturnStatus.Set(CStatus::Warning, "untouched");
    k.SSI_FunctionProcessor(other);
    EXPECT_EQ(other.m_ReturnStatus.GetStatusMessage(), "untouched");

    CVariable missing("Value");
    EXPECT_EQ(k.SSI_UpdateVariable(missing, 1).GetStatusMessage(),
              "Variable 'Value' not a member of regkey. (K00101)");
}

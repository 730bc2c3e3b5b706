// The member functions that scripts call on a bitmap: their rows, and the
// parameter handling of each.
#include "CallValues.h"
#include "DataBitmap.h"


namespace {

using loom::ReadInt;
using loom::ReadString;
using loom::ReturnBool;
using loom::ReturnInt;

// The two ends of a coordinate argument: an int array of two or more
// elements gives a range, a single int a range of one.
bool RangeOf(SSI_FunctionAPI& call, int index, int& first, int& second)
{
    CVariable* v = call[index];
    if (!v || v->GetNumElems() < 2) {
        if (!ReadInt(call, index, first)) return false;
        second = first;
        return true;
    }
    const int intType = CDataInt::GetRegisteredType();
    CData* a = v->Get(0);
    CData* b = v->Get(1);
    if (!a || !b || a->GetType() != intType || b->GetType() != intType) {
        call.m_ReturnStatus = loom::WrongParameter(call, index, "an int array");
        return false;
    }
    first = static_cast<CDataInt*>(a)->Data;
    second = static_cast<CDataInt*>(b)->Data;
    return true;
}

// Parameters first..first+count-1, all ints; false (with the call's error)
// when one is not.
bool ReadInts(SSI_FunctionAPI& call, int first, int count, int* values)
{
    for (int i = 0; i < count; ++i)
        if (!ReadInt(call, first + i, values[i])) return false;
    return true;
}

}  // namespace

const loom::MemberRow<CDataBitmap>* CDataBitmap::Rows(size_t& count)
{
    using B = CDataBitmap;
    using A = SSI_FunctionAPI;
    static const loom::MemberRow<CDataBitmap> kRows[] = {
        {"Save", "s", 'b', [](B& b, A& c) { b.CallLoadSave(c, true); }},
        {"Load", "s", 'b', [](B& b, A& c) { b.CallLoadSave(c, false); }},
        {"GetWidth", "", 'i', [](B& b, A& c) { ReturnInt(c, b.m_InfoHeader.biWidth); }},
        {"GetHeight", "", 'i', [](B& b, A& c) { ReturnInt(c, b.m_InfoHeader.biHeight); }},
        {"SetPixels", "iiiii", 0, [](B& b, A& c) { b.CallSetPixels(c); }},
        {"blit", "iim", 0, [](B& b, A& c) { b.CallBlit(c); }},
        {"blit", "iimm", 0, [](B& b, A& c) { b.CallBlit(c); }},
        {"Clear", "", 0, [](B& b, A&) { b.ZeroPixels(); }},
        {"Invert", "", 0, [](B& b, A&) { b.Invert(); }},
        {"Find", "iim", 'b', [](B& b, A& c) { b.CallFind(c, false); }},
        {"ReplaceAll", "iiiiii", 0, [](B& b, A& c) { b.CallReplace(c, false); }},
        {"ReplaceAllOther", "iiiiii", 0, [](B& b, A& c) { b.CallReplace(c, true); }},
        {"GetColorAt", "ii", 'i', [](B& b, A& c) { b.CallGetColorAt(c); }},
        {"FindSimilar", "iimi", 'b', [](B& b, A& c) { b.CallFind(c, true); }},
        {"CountDifferences", "mi", 'i', [](B& b, A& c) { b.CallCountDifferences(c); }},
        {"DiffImage", "mi", 'm', [](B& b, A& c) { b.CallDiffImage(c); }},
        {"Crop", "iiii", 'm', [](B& b, A& c) { b.CallCrop(c); }},
    };
    count = sizeof kRows / sizeof kRows[0];
    return kRows;
}

CStatus CDataBitmap::InitData()
{
    return loom::AddMemberRows(*this);
}

void CDataBitmap::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    loom::RunMemberRow(*this, call);
}

void CDataBitmap::CallLoadSave(SSI_FunctionAPI& call, bool save)
{
    String path;
    if (!ReadString(call, 0, path)) return;
    call.m_ReturnStatus = loom::ResolveScriptPath(call, path);
    if (!call.m_ReturnStatus) return;
    call.m_ReturnStatus = save ? SaveToFile(path) : LoadFromFile(path);
    // Both are declared bool: scripts test the result, so it says whether
    // the file was written or read (the error, if any, is in the status).
    ReturnBool(call, static_cast<bool>(call.m_ReturnStatus));
}

void CDataBitmap::CallGetColorAt(SSI_FunctionAPI& call)
{
    int at[2];
    if (!ReadInts(call, 0, 2, at)) return;
    int red = 0, green = 0, blue = 0;
    CStatus status = GetColorAt(at[0], at[1], red, green, blue);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    CVariable result;
    result.SetType(CDataInt::GetRegisteredType());
    const int values[3] = {red, green, blue};
    for (int k = 1; k <= 3; ++k) {
        CDataInt value(values[k - 1]);
        DimensionList at(k);
        result.SetData(&value, at.Get());
    }
    call.SetReturnData(&result);
}

void CDataBitmap::CallSetPixels(SSI_FunctionAPI& call)
{
    int x1, x2, y1, y2, color[3];
    if (!RangeOf(call, 0, x1, x2) || !RangeOf(call, 1, y1, y2) || !ReadInts(call, 2, 3, color)) return;
    CStatus status = SetPixels(x1, y1, x2, y2, color[0], color[1], color[2]);
    if (!status) call.m_ReturnStatus = status;
}

void CDataBitmap::CallReplace(SSI_FunctionAPI& call, bool other)
{
    int v[6];
    if (!ReadInts(call, 0, 6, v)) return;
    CStatus status = ReplaceColor(other, v[0], v[1], v[2], v[3], v[4], v[5]);
    if (!status) call.m_ReturnStatus = status;
}

void CDataBitmap::CallBlit(SSI_FunctionAPI& call)
{
    int at[2];
    CDataBitmap* source = loom::ReadValue<CDataBitmap>(call, 2);
    if (!source || !ReadInts(call, 0, 2, at)) return;
    CDataBitmap* mask = nullptr;
    if (call.GetNumParams() == 4) {
        mask = loom::ReadValue<CDataBitmap>(call, 3);
        if (!mask) return;
    }
    CStatus status = Blit(at[0], at[1], *source, mask);
    if (!status) call.m_ReturnStatus = status;
}

void CDataBitmap::CallFind(SSI_FunctionAPI& call, bool similar)
{
    int x = 0, y = 0, tolerance = 0;
    CDataBitmap* pattern = loom::ReadValue<CDataBitmap>(call, 2);
    if (!pattern || !ReadInt(call, 0, x) || !ReadInt(call, 1, y) || (similar && !ReadInt(call, 3, tolerance)))
        return;
    bool found = false;
    CStatus status = similar ? FindSimilar(x, y, *pattern, tolerance, found) : FindPattern(x, y, *pattern, found);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    if (found) {
        // The position goes back into the two script variables.
        const int position[2] = {x, y};
        for (int i = 0; i < 2 && found; ++i) {
            CVariable* v = call[i];
            CDataInt value(position[i]);
            if (!v) {
                found = false;
                break;
            }
            call.m_ReturnStatus = v->SetWorkingData(&value);
            if (!call.m_ReturnStatus) found = false;
            else if (call.m_Engine) {
                call.m_ReturnStatus = call.m_Engine->SetVariable(*v);
                if (!call.m_ReturnStatus) found = false;
            }
        }
    }
    ReturnBool(call, found);
}

void CDataBitmap::CallCountDifferences(SSI_FunctionAPI& call)
{
    int tolerance = 0;
    CDataBitmap* other = loom::ReadValue<CDataBitmap>(call, 0);
    if (!other || !ReadInt(call, 1, tolerance)) return;
    int64_t count = 0;
    CStatus status = CountDifferences(*other, tolerance, count);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    // Script ints are 32 bits; no image that fits a buffer has more pixels.
    ReturnInt(call, static_cast<int>(count));
}

void CDataBitmap::CallDiffImage(SSI_FunctionAPI& call)
{
    int tolerance = 0;
    CDataBitmap* other = loom::ReadValue<CDataBitmap>(call, 0);
    if (!other || !ReadInt(call, 1, tolerance)) return;
    CDataBitmap diff;
    CStatus status = DiffImage(*other, tolerance, diff);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    call.SetReturnData(&diff);
}

void CDataBitmap::CallCrop(SSI_FunctionAPI& call)
{
    int box[4];
    if (!ReadInts(call, 0, 4, box)) return;
    CDataBitmap part;
    CStatus status = Crop(box[0], box[1], box[2], box[3], part);
    if (!status) {
        call.m_ReturnStatus = status;
        return;
    }
    call.SetReturnData(&part);
}

#include "Marshal.h"

#include "MemoryMapper.h"
#include "SquireLog.h"
#include "TypeMap.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// More parameters than any window function has; a larger count is garbage.
constexpr int32_t kMaxRecordParams = 64;

class Writer {
public:
    Writer(unsigned char* p, unsigned char* end) : m_P(p), m_End(end) {}
    bool Put(const void* data, size_t n)
    {
        if (!m_Ok || static_cast<size_t>(m_End - m_P) < n) return m_Ok = false;
        if (n) std::memcpy(m_P, data, n);
        m_P += n;
        return true;
    }
    bool PutInt(int32_t v) { return Put(&v, 4); }
    unsigned char* Position() const { return m_P; }
    unsigned char* End() const { return m_End; }
    void Skip(int n) { m_P += n; }

private:
    unsigned char* m_P;
    unsigned char* m_End;
    bool m_Ok = true;
};

class Reader {
public:
    Reader(const unsigned char* p, const unsigned char* end) : m_P(p), m_End(end) {}
    bool Take(void* data, size_t n)
    {
        if (!m_Ok || static_cast<size_t>(m_End - m_P) < n) return m_Ok = false;
        if (n) std::memcpy(data, m_P, n);
        m_P += n;
        return true;
    }
    bool TakeInt(int32_t& v) { return Take(&v, 4); }
    // Text of n bytes, cut at the first zero byte as a C string would be.
    bool TakeText(int32_t n, String& text)
    {
        if (n < 0 || !m_Ok || m_End - m_P < n) return m_Ok = false;
        const char* begin = reinterpret_cast<const char*>(m_P);
        const void* zero = std::memchr(begin, 0, static_cast<size_t>(n));
        const int length = zero ? static_cast<int>(static_cast<const char*>(zero) - begin) : n;
        text = String(begin, length);
        m_P += n;
        return true;
    }
    const unsigned char* Position() const { return m_P; }
    const unsigned char* End() const { return m_End; }
    void Skip(int n) { m_P += n; }

private:
    const unsigned char* m_P;
    const unsigned char* m_End;
    bool m_Ok = true;
};

using DataPtr = loom::ValuePtr<CData>;

}  // namespace

namespace squire {

int WriteDataObjectIn(unsigned char* p, unsigned char* end, CData* data)
{
    if (!p || !data) return 0;
    Writer w(p, end);
    const int type = data->GetType();
    if (!w.PutInt(CTypeMap::Instance().ReverseLookup(type))) return 0;
    if (type == CDataString::GetRegisteredType()) {
        const String& text = static_cast<CDataString*>(data)->Data;
        int32_t length = text.GetLength();
        if (length >= kSquireMaxString) length = kSquireMaxString;
        if (!w.PutInt(length) || !w.Put(text.c_str(), static_cast<size_t>(length))) return 0;
        return 8 + length;
    }
    if (type == CDataInt::GetRegisteredType()) {
        return w.PutInt(static_cast<CDataInt*>(data)->Data) ? 8 : 0;
    }
    if (type == CDataReal::GetRegisteredType()) {
        const double v = static_cast<CDataReal*>(data)->Data;
        return w.Put(&v, 8) ? 12 : 0;
    }
    if (type == CDataBool::GetRegisteredType()) {
        return w.Put(&static_cast<CDataBool*>(data)->Data, 1) ? 5 : 0;
    }
    if (type == CDataVoid::GetRegisteredType()) return 4;
    return 0;
}

CData* ReadDataObjectIn(const unsigned char* p, const unsigned char* end, int* count)
{
    int ignored = 0;
    int& n = count ? *count : ignored;
    n = 0;
    if (!p) return nullptr;
    Reader r(p, end);
    int32_t callerType = 0;
    if (!r.TakeInt(callerType)) return nullptr;
    n += 4;
    const int32_t type = CTypeMap::Instance().Lookup(callerType);
    if (type != 0 && type == CDataString::GetRegisteredType()) {
        int32_t length = 0;
        String text;
        if (!r.TakeInt(length) || length > kSquireMaxString || !r.TakeText(length, text)) return nullptr;
        n += 4 + length;
        DataPtr d(Factory_MakeData(type));
        if (!d) return nullptr;
        static_cast<CDataString*>(d.get())->Data = text;
        return d.release();
    }
    if (type != 0 && type == CDataInt::GetRegisteredType()) {
        int32_t v = 0;
        if (!r.TakeInt(v)) return nullptr;
        n += 4;
        DataPtr d(Factory_MakeData(type));
        if (!d) return nullptr;
        static_cast<CDataInt*>(d.get())->Data = v;
        return d.release();
    }
    if (type != 0 && type == CDataReal::GetRegisteredType()) {
        double v = 0;
        if (!r.Take(&v, 8)) return nullptr;
        n += 8;
        DataPtr d(Factory_MakeData(type));
        if (!d) return nullptr;
        static_cast<CDataReal*>(d.get())->Data = v;
        return d.release();
    }
    if (type != 0 && type == CDataBool::GetRegisteredType()) {
        unsigned char v = 0;
        if (!r.Take(&v, 1)) return nullptr;
        n += 1;
        DataPtr d(Factory_MakeData(type));
        if (!d) return nullptr;
        static_cast<CDataBool*>(d.get())->Data = v;
        return d.release();
    }
    if (type != 0 && type == CDataVoid::GetRegisteredType()) return Factory_MakeData(type);
    SquireLog("Data Type Error");
    return nullptr;
}

int WriteFunctionApiIn(unsigned char* p, unsigned char* end, SSI_FunctionAPI* call, int* written)
{
    if (written) *written = 0;
    if (!p || !call) return 0;
    Writer w(p, end);
    const int32_t count = call->GetNumParams();
    const String& name = call->m_FunctionName;
    if (!w.PutInt(call->GetVersion()) || !w.PutInt(count) || !w.PutInt(name.GetLength()) ||
        !w.Put(name.c_str(), static_cast<size_t>(name.GetLength())))
        return 0;
    CVariable* result = call->GetReturnData();
    CData* value = result ? result->GetWorkingData() : nullptr;
    if (!value) return 0;
    int n = WriteDataObjectIn(w.Position(), w.End(), value);
    if (n == 0) return 0;
    w.Skip(n);
    const CStatus status = call->m_ReturnStatus;
    const String& message = status.GetStatusMessage();
    if (!w.PutInt(status.GetState()) || !w.PutInt(message.GetLength()) ||
        !w.Put(message.c_str(), static_cast<size_t>(message.GetLength())))
        return 0;
    for (int32_t i = 0; i < count; ++i) {
        CVariable* param = (*call)[i];
        CData* data = param ? param->GetWorkingData() : nullptr;
        if (!data) return 0;
        n = WriteDataObjectIn(w.Position(), w.End(), data);
        if (n == 0) return 0;
        w.Skip(n);
    }
    if (written) *written = static_cast<int>(w.Position() - p);
    return 1;
}

int ReadFunctionApiIn(const unsigned char* p, const unsigned char* end, SSI_FunctionAPI* call, int* read)
{
    if (read) *read = 0;
    if (!p || !call) return 0;
    Reader r(p, end);
    int32_t version = 0, count = 0, nameLength = 0;
    String name;
    if (!r.TakeInt(version) || !r.TakeInt(count) || !r.TakeInt(nameLength) || !r.TakeText(nameLength, name))
        return 0;
    if (count < 0 || count > kMaxRecordParams) return 0;
    call->m_FunctionName = name;
    int n = 0;
    DataPtr result(ReadDataObjectIn(r.Position(), r.End(), &n));
    if (!result) return 0;
    r.Skip(n);
    CVariable* returnVariable = call->GetReturnData();
    if (!returnVariable) return 0;
    returnVariable->SetType(result->GetType());
    if (!call->SetReturnData(result.get())) return 0;
    int32_t state = 0, messageLength = 0;
    String message;
    if (!r.TakeInt(state) || !r.TakeInt(messageLength) || !r.TakeText(messageLength, message)) return 0;
    call->m_ReturnStatus.Set(static_cast<signed char>(state & 0xFF), message);
    if (!call->InitParams(count)) return 0;
    for (int i = 0; i < count; ++i) {
        DataPtr data(ReadDataObjectIn(r.Position(), r.End(), &n));
        if (!data) return 0;
        r.Skip(n);
        CVariable variable;
        variable.SetType(data->GetType());
        variable.SetData(data.get());
        int index = i;
        if (!call->AddParameter(variable, index)) return 0;
    }
    if (read) *read = static_cast<int>(r.Position() - p);
    return 1;
}

}  // namespace squire

int WriteDataObject(void* destination, CData* data)
{
    unsigned char *begin = nullptr, *end = nullptr;
    if (!destination || !squire::FindBlock(destination, begin, end)) return 0;
    return squire::WriteDataObjectIn(static_cast<unsigned char*>(destination), end, data);
}

CData* ReadDataObject(const void* source, int* count)
{
    if (count) *count = 0;
    unsigned char *begin = nullptr, *end = nullptr;
    if (!source || !squire::FindBlock(source, begin, end)) return nullptr;
    return squire::ReadDataObjectIn(static_cast<const unsigned char*>(source), end, count);
}

int WriteFunctionAPI(void* destination, SSI_FunctionAPI* call)
{
    unsigned char *begin = nullptr, *end = nullptr;
    if (!destination || !squire::FindBlock(destination, begin, end)) return 0;
    return squire::WriteFunctionApiIn(static_cast<unsigned char*>(destination), end, call, nullptr);
}

int ReadFunctionAPI(const void* source, SSI_FunctionAPI* call)
{
    unsigned char *begin = nullptr, *end = nullptr;
    if (!source || !squire::FindBlock(source, begin, end)) return 0;
    return squire::ReadFunctionApiIn(static_cast<const unsigned char*>(source), end, call, nullptr);
}

#pragma once
// Automation as the OLE layer offers it: variants, dispatch objects called by dispatch id, the
// driver that wraps one, and the two exceptions a call raises. Servers are in-process: a server
// registers a factory under its program id, and `COleDispatchDriver::CreateDispatch` starts it.
//
// A call passes its arguments in the order the member declares them (first argument first).
// `Invoke` answers S_OK, DISP_E_EXCEPTION with a description, or another failure code; the
// driver turns the last two into `COleDispatchException` and `COleException`.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using DISPID = int32_t;
using SCODE = int32_t;

constexpr uint16_t DISPATCH_METHOD = 1;
constexpr uint16_t DISPATCH_PROPERTYGET = 2;
constexpr uint16_t DISPATCH_PROPERTYPUT = 4;

constexpr SCODE S_OK = 0;
constexpr SCODE DISP_E_MEMBERNOTFOUND = static_cast<SCODE>(0x80020003);
constexpr SCODE DISP_E_PARAMNOTFOUND = static_cast<SCODE>(0x80020004);
constexpr SCODE DISP_E_TYPEMISMATCH = static_cast<SCODE>(0x80020005);
constexpr SCODE DISP_E_EXCEPTION = static_cast<SCODE>(0x80020009);
constexpr SCODE DISP_E_BADPARAMCOUNT = static_cast<SCODE>(0x8002000E);
constexpr SCODE CO_E_SERVER_EXEC_FAILURE = static_cast<SCODE>(0x80080005);

class IDispatch;

enum VARTYPE : uint16_t {
    VT_EMPTY = 0,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
};

class COleVariant {
public:
    COleVariant() = default;
    COleVariant(int16_t v) : vt(VT_I2), lVal(v) {}
    COleVariant(int32_t v) : vt(VT_I4), lVal(v) {}
    COleVariant(bool v) : vt(VT_BOOL), lVal(v ? -1 : 0) {}
    COleVariant(double v) : vt(VT_R8), dblVal(v) {}
    COleVariant(std::u16string v) : vt(VT_BSTR), bstrVal(std::move(v)) {}
    COleVariant(const char16_t* v) : vt(VT_BSTR), bstrVal(v) {}
    COleVariant(std::shared_ptr<IDispatch> v) : vt(VT_DISPATCH), pdispVal(std::move(v)) {}
    // The value passed for an optional argument left out.
    static COleVariant Missing()
    {
        COleVariant v;
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
        return v;
    }
    bool IsMissing() const { return vt == VT_ERROR && scode == DISP_E_PARAMNOTFOUND; }

    VARTYPE vt = VT_EMPTY;
    int32_t lVal = 0; // VT_I2, VT_I4, VT_BOOL
    SCODE scode = 0;  // VT_ERROR
    double dblVal = 0;
    std::u16string bstrVal;
    std::shared_ptr<IDispatch> pdispVal;
};

class IDispatch {
public:
    virtual ~IDispatch() = default;
    virtual SCODE Invoke(DISPID id, uint16_t flags, const std::vector<COleVariant>& args,
                         COleVariant& result, std::u16string& description) = 0;
};

class COleException {
public:
    explicit COleException(SCODE sc) : m_sc(sc) {}
    SCODE m_sc;
};

// An error the server raised with its own description.
class COleDispatchException {
public:
    COleDispatchException(std::u16string description, SCODE sc)
        : m_strDescription(std::move(description)), m_scError(sc) {}
    std::u16string m_strDescription;
    SCODE m_scError;
};

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(std::shared_ptr<IDispatch> d) : m_lpDispatch(std::move(d)) {}

    // Starts the server registered under `progId`; false (with its code in `sc`) when none is
    // registered or it cannot start.
    bool CreateDispatch(const std::u16string& progId, SCODE* sc = nullptr);
    void AttachDispatch(std::shared_ptr<IDispatch> d) { m_lpDispatch = std::move(d); }
    void ReleaseDispatch() { m_lpDispatch.reset(); }
    IDispatch* GetDispatch() const { return m_lpDispatch.get(); }

    // Throws COleDispatchException or COleException when the call fails.
    COleVariant InvokeHelper(DISPID id, uint16_t flags, const std::vector<COleVariant>& args = {});
    // A property get or method whose result is an object, wrapped.
    COleDispatchDriver GetObject(DISPID id, uint16_t flags, const std::vector<COleVariant>& args = {});

    std::shared_ptr<IDispatch> m_lpDispatch;
};

// A server that fails to start answers null and sets `sc`.
using WinAutomationFactory = std::function<std::shared_ptr<IDispatch>(SCODE& sc)>;
void WinRegisterAutomationServer(const std::u16string& progId, WinAutomationFactory factory);

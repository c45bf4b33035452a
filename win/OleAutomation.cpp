#include "OleAutomation.h"

#include <map>

namespace {
std::map<std::u16string, WinAutomationFactory>& Servers()
{
    static std::map<std::u16string, WinAutomationFactory> servers;
    return servers;
}
} // namespace

void WinRegisterAutomationServer(const std::u16string& progId, WinAutomationFactory factory)
{
    Servers()[progId] = std::move(factory);
}

bool COleDispatchDriver::CreateDispatch(const std::u16string& progId, SCODE* sc)
{
    m_lpDispatch.reset();
    SCODE code = CO_E_SERVER_EXEC_FAILURE;
    auto it = Servers().find(progId);
    if (it != Servers().end())
        m_lpDispatch = it->second(code);
    if (sc)
        *sc = m_lpDispatch ? S_OK : code;
    return m_lpDispatch != nullptr;
}

COleVariant COleDispatchDriver::InvokeHelper(DISPID id, uint16_t flags,
                                             const std::vector<COleVariant>& args)
{
    if (!m_lpDispatch)
        throw COleException(DISP_E_MEMBERNOTFOUND);
    COleVariant result;
    std::u16string description;
    const SCODE sc = m_lpDispatch->Invoke(id, flags, args, result, description);
    if (sc == DISP_E_EXCEPTION)
        throw COleDispatchException(description, sc);
    if (sc != S_OK)
        throw COleException(sc);
    return result;
}

COleDispatchDriver COleDispatchDriver::GetObject(DISPID id, uint16_t flags,
                                                 const std::vector<COleVariant>& args)
{
    COleVariant v = InvokeHelper(id, flags, args);
    if (v.vt != VT_DISPATCH || !v.pdispVal)
        throw COleException(DISP_E_TYPEMISMATCH);
    return COleDispatchDriver(v.pdispVal);
}

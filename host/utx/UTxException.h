#pragma once
#include <exception>
#include <string>

#include "utx/UTxResult.h"

// What a refusal names: the code and where in the source it was raised.
struct UTxError {
    UTxResultCode code;
    const char* file;
    int32_t line;
};

class UTxException : public std::exception {
public:
    explicit UTxException(UTxResult result);
    [[noreturn]] static void Throw(const UTxError& error);
    [[noreturn]] static void Throw(const UTxResult& result);

    const UTxResult& GetResult() const { return m_result; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    UTxResult m_result;
    std::string m_what;
};

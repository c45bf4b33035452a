#include "utx/UTxException.h"

UTxException::UTxException(UTxResult result)
    : m_result(std::move(result)), m_what(m_result.GetMessageUtf8()) {}

void UTxException::Throw(const UTxError& error) {
    throw UTxException(UTxResult(error.code, error.file, error.line));
}

void UTxException::Throw(const UTxResult& result) {
    throw UTxException(result);
}

#pragma once
// Errors of the Firebird client: the server's own message, its error code and SQLSTATE.
#include <string>

#include "toolkit/rtl/Exceptions.h"

class EIBError : public EDatabaseError {
 public:
  EIBError(std::string message, int sqlCode, long ibErrorCode, std::string sqlState)
      : EDatabaseError(std::move(message)), sqlCode_(sqlCode), ibErrorCode_(ibErrorCode),
        sqlState_(std::move(sqlState)) {}
  int SQLCode() const { return sqlCode_; }
  long IBErrorCode() const { return ibErrorCode_; }
  const std::string& SQLState() const { return sqlState_; }

 private:
  int sqlCode_;
  long ibErrorCode_;
  std::string sqlState_;
};

namespace detail {
// The client's status vector (ISC_STATUS[20]); raises EIBError when it reports an error.
void CheckStatus(const long* status);
}  // namespace detail

#pragma once
// The runtime's exception kinds. Every error the toolkit raises derives from Exception and carries
// a message ready to show to the user.
#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define MZ_EXCEPTION_KIND(Name, Base)   \
  class Name : public Base {            \
   public:                              \
    using Base::Base;                   \
  };

// Silent exception: aborts an operation without an error box.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Opera\xE7\xE3o cancelada") {}
  using Exception::Exception;
};

MZ_EXCEPTION_KIND(EConvertError, Exception)
MZ_EXCEPTION_KIND(EInOutError, Exception)
MZ_EXCEPTION_KIND(EDatabaseError, Exception)
MZ_EXCEPTION_KIND(EListError, Exception)
MZ_EXCEPTION_KIND(EStringListError, EListError)
MZ_EXCEPTION_KIND(EInvalidOperation, Exception)
MZ_EXCEPTION_KIND(EInvalidArgument, Exception)
MZ_EXCEPTION_KIND(EStreamError, Exception)
MZ_EXCEPTION_KIND(EFCreateError, EStreamError)
MZ_EXCEPTION_KIND(EFOpenError, EStreamError)
MZ_EXCEPTION_KIND(EReadError, EStreamError)
MZ_EXCEPTION_KIND(EWriteError, EStreamError)
// A named resource is not in the module.
MZ_EXCEPTION_KIND(EResNotFound, Exception)
MZ_EXCEPTION_KIND(EIniFileException, Exception)
MZ_EXCEPTION_KIND(ERegistryException, Exception)
MZ_EXCEPTION_KIND(EOutOfMemory, Exception)
MZ_EXCEPTION_KIND(EZeroDivide, Exception)
MZ_EXCEPTION_KIND(EExternalException, Exception)

#undef MZ_EXCEPTION_KIND

// An operating-system call failed; ErrorCode is the system's error number.
class EOSError : public Exception {
 public:
  EOSError(std::string message, unsigned long errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  unsigned long ErrorCode() const { return errorCode_; }

 private:
  unsigned long errorCode_;
};

// Raises EAbort.
[[noreturn]] void Abort();

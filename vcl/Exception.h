#pragma once

#include <exception>
#include <string>

#include "VclApi.h"

// Base of the framework's exceptions; the message is UTF-8.
class VCL_API Exception : public std::exception {
 public:
  explicit Exception(std::string message);
  const char* what() const noexcept override;
  const std::string& Message() const { return FMessage; }

 private:
  std::string FMessage;
};

class VCL_API EListError : public Exception {
 public:
  using Exception::Exception;
};

#pragma once

#include <cstdint>
#include <string>

#include "TObject.h"

// An ordered list of UTF-8 strings with one object slot per entry. The slot may hold a plain
// number instead of a pointer (see NumberObject).
class VCL_API TStrings : public TObject {
 public:
  virtual int Count() const = 0;
  virtual std::string Strings(int index) const = 0;
  virtual TObject* Objects(int index) const = 0;
  virtual void PutObject(int index, TObject* object) = 0;
  virtual int AddObject(const std::string& text, TObject* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const std::string& text) { return AddObject(text, nullptr); }
  // Case-insensitive (ASCII), like the framework's string comparison.
  int IndexOf(const std::string& text) const;
  int IndexOfObject(const TObject* object) const;
  std::string operator[](int index) const { return Strings(index); }
};

// A number kept in an object slot, and back.
inline TObject* NumberObject(std::uintptr_t value) { return reinterpret_cast<TObject*>(value); }
inline std::uintptr_t ObjectNumber(const TObject* object) { return reinterpret_cast<std::uintptr_t>(object); }

// One field list per kind serves both directions: a kind's codec describes
// its block once as a template over FieldsIn / FieldsOut, so reading and
// writing cannot disagree about order or version gates.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "window/form_bytes.h"

namespace mnemora {

// A block's fields in stored order: Fields visits each value it is given,
// FieldsSince only in a block of version `since` or later.
template <typename Visitor>
class FieldList {
 public:
  template <typename... T>
  void Fields(T&... values) {
    (static_cast<Visitor&>(*this).Field(values), ...);
  }
  template <typename... T>
  void FieldsSince(uint32_t version, uint32_t since, T&... values) {
    if (version >= since) {
      Fields(values...);
    }
  }
};

// Reads each field into the value it is given.
class FieldsIn : public FieldList<FieldsIn> {
 public:
  explicit FieldsIn(const Bytes& block) : reader_(block) {}

  void Field(uint32_t& value) { value = reader_.Dword(); }
  void Field(int32_t& value) { value = reader_.SignedDword(); }
  void Field(uint16_t& value) { value = reader_.Word(); }
  void Field(Bytes& value) { value = reader_.CountedBytes(); }
  void Field(std::string& value) { value = reader_.CountedText(); }
  void Field(std::vector<std::string>& value) { value = reader_.TextList(); }

  const ByteReader& reader() const { return reader_; }

 private:
  ByteReader reader_;
};

// Writes each field it is given.
class FieldsOut : public FieldList<FieldsOut> {
 public:
  void Field(uint32_t value) { writer_.Dword(value); }
  void Field(int32_t value) { writer_.SignedDword(value); }
  void Field(uint16_t value) { writer_.Word(value); }
  void Field(const Bytes& value) { writer_.CountedBytes(value); }
  void Field(const std::string& value) { writer_.CountedText(value); }
  void Field(const std::vector<std::string>& value) { writer_.TextList(value); }

  Bytes Take() { return writer_.Take(); }

 private:
  ByteWriter writer_;
};

// The codec of a kind's property block. Properties names its fields after
// the version through a static VisitFields(fields, record), gated by the
// record's version; the version a default record carries is the newest it
// reads. An empty block gives the defaults; a newer version, a block that
// ends early or one with bytes after its last field gives false.
template <typename Properties>
bool ReadPropertyBlock(const Bytes& block, Properties* out) {
  Properties properties;
  if (!block.empty()) {
    FieldsIn fields(block);
    fields.Field(properties.version);
    if (fields.reader().Failed() || properties.version > Properties{}.version) {
      return false;
    }
    Properties::VisitFields(fields, properties);
    if (!fields.reader().Finished()) {
      return false;
    }
  }
  *out = std::move(properties);
  return true;
}

// The block a new unit is made from (null or empty: the defaults). The unit
// saves as the newest version whatever version it was read from, so that
// the fields an older one lacks keep what is set on them.
template <typename Properties>
bool ReadNewUnitBlock(const Bytes* block, Properties* out) {
  if (!ReadPropertyBlock(block != nullptr ? *block : Bytes(), out)) {
    return false;
  }
  out->version = Properties{}.version;
  return true;
}

template <typename Properties>
Bytes WritePropertyBlock(const Properties& properties) {
  FieldsOut fields;
  fields.Field(properties.version);
  Properties::VisitFields(fields, properties);
  return fields.Take();
}

}  // namespace mnemora

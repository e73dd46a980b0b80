#include "tools/dev/RunTrace.h"

#include <cmath>
#include <cstdio>

std::string JsonNumber(float value) {
  // JSON has no NaN or infinity.
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.7g", value);
  return buffer;
}

std::string JsonString(const std::string& value) {
  std::string out = "\"";
  for (unsigned char c : value) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void JsonLine::Key(const char* key) {
  if (!first) text += ",";
  first = false;
  if (key) text += JsonString(key) + ":";
}

JsonLine& JsonLine::Begin(const char* key) {
  Key(key);
  text += "{";
  first = true;
  return *this;
}

JsonLine& JsonLine::End() {
  text += "}";
  first = false;
  return *this;
}

JsonLine& JsonLine::BeginArray(const char* key) {
  Key(key);
  text += "[";
  first = true;
  return *this;
}

JsonLine& JsonLine::Value(const std::string& value) {
  Key(nullptr);
  text += JsonString(value);
  return *this;
}

JsonLine& JsonLine::EndArray() {
  text += "]";
  first = false;
  return *this;
}

JsonLine& JsonLine::BeginObject() {
  return Begin(nullptr);
}

JsonLine& JsonLine::Field(const char* key, int value) {
  Key(key);
  text += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::Field(const char* key, unsigned long long value) {
  Key(key);
  text += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::Field(const char* key, float value) {
  Key(key);
  text += JsonNumber(value);
  return *this;
}

JsonLine& JsonLine::Field(const char* key, bool value) {
  Key(key);
  text += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::Field(const char* key, const std::string& value) {
  Key(key);
  text += JsonString(value);
  return *this;
}

JsonLine& JsonLine::Field(const char* key, const float3& value) {
  Key(key);
  text += "[" + JsonNumber(value.x) + "," + JsonNumber(value.y) + "," + JsonNumber(value.z) + "]";
  return *this;
}

JsonLine& JsonLine::Field(const char* key, const float4& value) {
  Key(key);
  text += "[" + JsonNumber(value.x) + "," + JsonNumber(value.y) + "," + JsonNumber(value.z) + "," +
          JsonNumber(value.w) + "]";
  return *this;
}

JsonLine& JsonLine::Null(const char* key) {
  Key(key);
  text += "null";
  return *this;
}

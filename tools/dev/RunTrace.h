#pragma once

// A small JSON writer for the trace lines of `halvane-dev run`.

#include <string>

#include "framework/VelMath.h"

class JsonLine {
 public:
  JsonLine& Begin(const char* key);  // "key":{
  JsonLine& End();                   // }
  JsonLine& Field(const char* key, int value);
  JsonLine& Field(const char* key, unsigned long long value);
  JsonLine& Field(const char* key, float value);
  JsonLine& Field(const char* key, bool value);
  JsonLine& Field(const char* key, const std::string& value);
  JsonLine& Field(const char* key, const char* value) { return Field(key, std::string(value)); }
  JsonLine& Field(const char* key, const float3& value);
  JsonLine& Field(const char* key, const float4& value);
  JsonLine& Null(const char* key);
  JsonLine& BeginArray(const char* key);  // "key":[
  JsonLine& EndArray();                   // ]
  JsonLine& BeginObject();                // { inside an array
  JsonLine& Value(const std::string& value);  // a string inside an array
  // The finished object, without a line break.
  std::string Text() const { return text + "}"; }

 private:
  void Key(const char* key);
  std::string text = "{";
  bool first = true;
};

std::string JsonNumber(float value);
std::string JsonString(const std::string& value);

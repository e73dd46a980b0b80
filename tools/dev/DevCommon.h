#pragma once

// Helpers shared by the verbs of halvane-dev.

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/VelMath.h"

// Starts the graphics device on the headless backend; false (with a message on
// standard error) when it cannot.
bool DevInitHeadlessGraphics();
void DevReleaseGraphics();

// Runs fn with the process's standard output redirected and returns what it
// wrote, split into lines (without their line ends).
std::vector<std::string> DevCaptureStdoutLines(const std::function<void()>& fn);

// Parses a whole argument as a float.
bool DevParseFloat(const std::string& text, float* out);

// Writes a usage error to standard error; returns the exit code for it.
int DevUsageError(const std::string& message);

nlohmann::json DevJson(const float2& v);
nlohmann::json DevJson(const float3& v);
nlohmann::json DevJson(const float4& v);
// 16 numbers, row by row.
nlohmann::json DevJson(const float4x4& m);

// Prints one JSON object and its line end to standard output.
void DevPrint(const nlohmann::json& object);

#pragma once

// Runs `halvane-dev run` in a chosen working folder (the build folder, or a
// folder holding an altered copy of Data/) and reads back its trace and
// summary.

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#ifdef HALVANE_DEV_TOOL

struct DevRun {
  int status = -1;
  std::string output;
  std::vector<nlohmann::json> trace;
  nlohmann::json summary;
};

// `name` keeps the script and trace files of tests that run side by side apart.
inline DevRun RunDevTool(const std::string& folder, const std::string& name, const std::string& script,
                         const std::string& options) {
  const std::string scriptPath = folder + "/" + name + ".script";
  const std::string tracePath = folder + "/" + name + ".trace";
  std::ofstream(scriptPath) << script;
  std::remove(tracePath.c_str());
  const std::string command = "cd '" + folder + "' && '" + HALVANE_DEV_TOOL + "' run --script '" + scriptPath +
                              "' --trace '" + tracePath + "' " + options + " 2>&1";
  DevRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  run.status = pclose(pipe);
  std::ifstream in(tracePath);
  std::string line;
  while (std::getline(in, line)) run.trace.push_back(nlohmann::json::parse(line));
  std::stringstream lines(run.output);
  std::string last;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '{') last = line;
  }
  if (!last.empty()) run.summary = nlohmann::json::parse(last);
  return run;
}

#endif

// ezdxf and commands.
#include "support/Ezdxf.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "support/TestPaths.h"

namespace qzdbs::test {

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::array<char, 4096> buffer{};
  std::string text;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    text.append(buffer.data(), n);
  int status = ::pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

nlohmann::json InspectWithEzdxf(const std::filesystem::path& file) {
  std::filesystem::path script = SourceDir() / "tests/server/ezdxf_check.py";
  std::string output;
  int status = RunCommand("/usr/bin/python3 '" + script.string() + "' '" + file.string() + "' 2>&1",
                          &output);
  EXPECT_EQ(status, 0) << output;
  try {
    return nlohmann::json::parse(output);
  } catch (const nlohmann::json::exception&) {
    ADD_FAILURE() << "ezdxf check printed no JSON: " << output;
    return nlohmann::json::object();
  }
}

}  // namespace qzdbs::test

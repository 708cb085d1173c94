// Golden files for every exporter: each sample document is exported and
// compared, after normalising (handles, dates and volatile values removed,
// numbers rounded), with the file kept under tests/data/server/golden. On a
// mismatch the new output is written beside the golden as NAME.out.EXT;
// scripts/bless-server-goldens.sh renames those over the goldens once they
// have been looked at.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "ServerTestSupport.h"
#include "server/DrawingServer.h"
#include "support/TestPaths.h"

namespace qzdbs::server::test {
namespace {

std::filesystem::path GoldenDir() {
  return qzdbs::test::TestDataDir() / "server" / "golden";
}

// Numbers in text rounded to a few decimals, so that the last bits of a
// floating point result do not count.
std::string RoundNumbers(const std::string& text, int decimals) {
  static const std::regex number(R"(-?\d+\.\d+(e[-+]?\d+)?)");
  std::string out;
  auto begin = std::sregex_iterator(text.begin(), text.end(), number);
  size_t last = 0;
  for (auto it = begin; it != std::sregex_iterator(); ++it) {
    out += text.substr(last, static_cast<size_t>(it->position()) - last);
    double value = std::stod(it->str());
    std::ostringstream rounded;
    rounded.precision(decimals);
    rounded << std::fixed << value;
    std::string r = rounded.str();
    if (r.find_first_not_of("-0.") == std::string::npos) r = "0";
    out += r;
    last = static_cast<size_t>(it->position() + it->length());
  }
  return out + text.substr(last);
}

// DXF: group code and value pairs; handles and references to them become
// "H", comments go.
std::string NormalizeDxf(const std::string& dxf) {
  std::istringstream in(dxf);
  std::ostringstream out;
  std::string code, value;
  while (std::getline(in, code) && std::getline(in, value)) {
    int gc = std::stoi(code);
    if (gc == 999) continue;
    if (gc == 5 || gc == 105 || gc == 330 || gc == 340 || gc == 350 || gc == 360) value = "H";
    out << gc << ' ' << value << '\n';
  }
  return RoundNumbers(out.str(), 4);
}

std::string NormalizeSvg(const std::string& svg) {
  return RoundNumbers(svg, 2);
}

std::string NormalizeJson(const std::string& json) {
  return RoundNumbers(nlohmann::json::parse(json).dump(1), 6);
}

std::string NormalizePdf(const std::string& pdf) {
  static const std::regex dates(R"(/(CreationDate|ModDate) \(D:[^)]*\))");
  static const std::regex id(R"(/ID \[<[0-9A-Fa-f]*> ?<[0-9A-Fa-f]*>\])");
  return std::regex_replace(std::regex_replace(pdf, dates, "/$1 ()"), id, "/ID []");
}

// Pictures differ in antialiasing from one renderer build to the next: they
// match when no more than a small share of pixels differ clearly.
bool SamePicture(const std::filesystem::path& a, const std::filesystem::path& b, std::string& why) {
  QImage x(QString::fromStdString(a.string()));
  QImage y(QString::fromStdString(b.string()));
  if (x.size() != y.size()) {
    why = "sizes differ";
    return false;
  }
  long differing = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int column = 0; column < x.width(); ++column) {
      if (std::abs(qGray(x.pixel(column, row)) - qGray(y.pixel(column, row))) > 96) ++differing;
    }
  }
  long allowed = static_cast<long>(x.width()) * x.height() / 500;
  why = std::to_string(differing) + " pixels differ, " + std::to_string(allowed) + " allowed";
  return differing <= allowed;
}

// Each text format's normalisation; the others are compared as pictures.
const std::map<std::string, std::function<std::string(const std::string&)>> kNormalize = {
    {"dxf", NormalizeDxf}, {"svg", NormalizeSvg}, {"json", NormalizeJson}, {"pdf", NormalizePdf}};

struct Sample {
  const char* name;
  std::function<void(SessionBuilder&)> fill;
};

const std::vector<Sample>& Samples() {
  static const std::vector<Sample> samples = {
      {"sample", [](SessionBuilder& b) { FillSamplePart(b); }},
      {"sample_block", [](SessionBuilder& b) { FillSamplePart(b, true); }},
      {"sample_scaled",
       [](SessionBuilder& b) {
         FillSamplePart(b);
         b.session->Preset("DrawScale", 2.0);
         b.Part().BasePoint({0, 0, 0});
       }},
  };
  return samples;
}

class GoldenTest : public ::testing::TestWithParam<std::pair<size_t, size_t>> {};

TEST_P(GoldenTest, ExportMatchesItsGolden) {
  EnsureGuiApplication();
  const Sample& sample = Samples()[GetParam().first];
  const FileExporter& exporter = FileExporters()[GetParam().second];
  SessionBuilder builder;
  sample.fill(builder);
  Document document = builder.Build();
  ScratchDir scratch;
  std::string file = std::string(sample.name) + "." + exporter.extension;
  std::filesystem::path output = scratch.Path() / file;
  exporter.write(document, output);

  std::filesystem::path golden = GoldenDir() / file;
  std::filesystem::path beside =
      GoldenDir() / (std::string(sample.name) + ".out." + exporter.extension);
  bool same = false;
  std::string why = "no golden file yet";
  if (std::filesystem::exists(golden)) {
    if (const auto normalize = kNormalize.find(exporter.extension); normalize != kNormalize.end()) {
      same = normalize->second(ReadText(golden)) == normalize->second(ReadText(output));
      why = "normalised contents differ";
    } else {
      same = SamePicture(golden, output, why);
    }
  }
  if (same) {
    std::filesystem::remove(beside);
    return;
  }
  std::filesystem::create_directories(GoldenDir());
  std::filesystem::copy_file(output, beside, std::filesystem::copy_options::overwrite_existing);
  ADD_FAILURE() << file << ": " << why << "; the new output is " << beside
                << " (review it, then scripts/bless-server-goldens.sh)";
}

std::vector<std::pair<size_t, size_t>> AllPairs() {
  std::vector<std::pair<size_t, size_t>> pairs;
  for (size_t s = 0; s < Samples().size(); ++s) {
    for (size_t e = 0; e < FileExporters().size(); ++e)
      pairs.emplace_back(s, e);
  }
  return pairs;
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTest, ::testing::ValuesIn(AllPairs()),
                         [](const ::testing::TestParamInfo<std::pair<size_t, size_t>>& param) {
                           return std::string(Samples()[param.param.first].name) + "_" +
                                  FileExporters()[param.param.second].extension;
                         });

TEST(GoldenNormalisationTest, HandlesDatesAndLastDigitsDoNotCountButValuesDo) {
  EXPECT_EQ(NormalizeDxf("  5\n2F\n 10\n1.00000001\n"), NormalizeDxf("  5\n30\n 10\n1.0\n"));
  EXPECT_NE(NormalizeDxf(" 10\n1.0\n"), NormalizeDxf(" 10\n1.1\n"));
  EXPECT_EQ(NormalizePdf("/CreationDate (D:20240101)"), NormalizePdf("/CreationDate (D:20250101)"));
  EXPECT_EQ(NormalizeJson(R"({"a":0.30000000000000004})"), NormalizeJson(R"({"a":0.3})"));
}

}  // namespace
}  // namespace qzdbs::server::test

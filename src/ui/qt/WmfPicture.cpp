// Playing metafiles through libwmf. libwmf trusts the record sizes it reads,
// so the records are walked here first and a picture whose records run past
// its end, or that has no end record, never reaches the player.
#include "ui/qt/WmfPicture.h"

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace qzdbs::ui::qt {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kHeaderSize = 18;
constexpr uint16_t kEndOfFile = 0x0000;
// Render the picture at screen resolution; the SVG scales from there.
constexpr double kDpi = 96;

uint16_t Word(const QByteArray& data, qsizetype at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1])
                                                                    << 8);
}

uint32_t DoubleWord(const QByteArray& data, qsizetype at) {
  return Word(data, at) | static_cast<uint32_t>(Word(data, at + 2)) << 16;
}

// Where the plain header starts: after the placeable header when there is one.
qsizetype HeaderStart(const QByteArray& data) {
  return data.size() >= 4 && DoubleWord(data, 0) == kPlaceableKey ? kPlaceableSize : 0;
}

bool HasPlainHeader(const QByteArray& data, qsizetype at) {
  if (data.size() < at + kHeaderSize) return false;
  const uint16_t type = Word(data, at);
  const uint16_t words = Word(data, at + 2);
  const uint16_t version = Word(data, at + 4);
  return (type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300);
}

// Every record inside the picture, ending with the end record.
bool RecordsAreWhole(const QByteArray& data) {
  qsizetype at = HeaderStart(data) + kHeaderSize;
  while (at + 6 <= data.size()) {
    const uint64_t bytes = uint64_t{DoubleWord(data, at)} * 2;
    if (bytes < 6 || bytes > static_cast<uint64_t>(data.size() - at)) return false;
    if (Word(data, at + 4) == kEndOfFile) return true;
    at += static_cast<qsizetype>(bytes);
  }
  return false;
}

// One player, destroyed with whatever it allocated.
struct Player {
  wmfAPI* api = nullptr;
  bool open = false;
  Player() = default;
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;
  ~Player() {
    if (!api) return;
    if (open) wmf_mem_close(api);
    wmf_api_destroy(api);
  }
};

}  // namespace

bool LooksLikeWmf(const QByteArray& data) {
  return HasPlainHeader(data, HeaderStart(data));
}

QByteArray WmfToSvg(const QByteArray& data) {
  if (!LooksLikeWmf(data) || !RecordsAreWhole(data)) return {};
  wmfAPI_Options options;
  std::memset(&options, 0, sizeof options);
  options.function = wmf_svg_function;
  Player player;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR;
  if (wmf_api_create(&player.api, flags, &options) != wmf_E_None) return {};
  // The player reads the bytes in place and wants them writable.
  QByteArray bytes = data;
  if (wmf_mem_open(player.api, reinterpret_cast<unsigned char*>(bytes.data()),
                   static_cast<long>(bytes.size())) != wmf_E_None)
    return {};
  player.open = true;
  wmfD_Rect box;
  if (wmf_scan(player.api, 0, &box) != wmf_E_None) return {};
  unsigned int width = 0;
  unsigned int height = 0;
  if (wmf_display_size(player.api, &width, &height, kDpi, kDpi) != wmf_E_None || width == 0 ||
      height == 0)
    return {};
  wmf_svg_t* device = WMF_SVG_GetData(player.api);
  device->out = wmf_stream_create(player.api, nullptr);
  if (!device->out) return {};
  device->bbox = box;
  device->width = width;
  device->height = height;
  const wmf_error_t played = wmf_play(player.api, 0, &box);
  char* text = nullptr;
  unsigned long length = 0;
  wmf_stream_destroy(player.api, device->out, &text, &length);
  device->out = nullptr;
  QByteArray svg;
  if (played == wmf_E_None && text) svg = QByteArray(text, static_cast<qsizetype>(length));
  if (text) wmf_free(player.api, text);
  return svg;
}

}  // namespace qzdbs::ui::qt

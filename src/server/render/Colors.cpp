// The colour number palette.
#include "server/render/Colors.h"

namespace qzdbs::server {

QColor ColorNumberRgb(int32_t number) {
  static const QColor kFirst[] = {
      QColor(0, 0, 0),       QColor(255, 0, 0),    QColor(255, 255, 0), QColor(0, 255, 0),
      QColor(0, 255, 255),   QColor(0, 0, 255),    QColor(255, 0, 255), QColor(255, 255, 255),
      QColor(128, 128, 128), QColor(192, 192, 192)};
  if (number >= 0 && number <= 9) return kFirst[number];
  if (number >= 250 && number <= 255) {
    static const int kGrey[] = {51, 80, 105, 130, 190, 255};
    int g = kGrey[number - 250];
    return QColor(g, g, g);
  }
  if (number < 10 || number > 255) return QColor(255, 255, 255);
  // Rings of ten: the hue steps by 15 degrees, five brightness levels, every
  // second colour half saturated.
  static const double kValue[] = {1.0, 0.65, 0.5, 0.3, 0.15};
  int hue = (number / 10 - 1) * 15;
  int step = number % 10;
  return QColor::fromHsvF(hue / 360.0, step % 2 == 0 ? 1.0 : 0.5, kValue[step / 2]);
}

QColor PaperColor(int32_t number) {
  if (number == 7 || number == 255 || number == 0 || number == 256) return QColor(0, 0, 0);
  QColor c = ColorNumberRgb(number);
  double luminance = 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
  if (luminance > 0.6) {
    double f = 0.6 / luminance;
    c = QColor::fromRgbF(c.redF() * f, c.greenF() * f, c.blueF() * f);
  }
  return c;
}

}  // namespace qzdbs::server

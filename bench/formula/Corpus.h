// Typical library formulas for the benchmark: structure parameters, points,
// properties, filters and texts as part libraries write them, with the same
// formula in muparser's language where it has one.
#pragma once

#include <string>
#include <vector>

namespace qzdbs::bench {

struct CorpusFormula {
  const char* formula;
  const char* muparser;  // null for text formulas and functions muparser lacks
};

inline const std::vector<CorpusFormula>& Corpus() {
  static const std::vector<CorpusFormula> corpus = {
      {"O.P", "O.P"},
      {"180-30", "180-30"},
      {"S.d-1.0825*O.P", "S.d-1.0825*O.P"},
      {"IIf(O.L<=125, 2*S.d+6, 2*S.d+12)", "O.L<=125 ? 2*S.d+6 : 2*S.d+12"},
      {"IIf(O.L>S.b, O.L-S.b, 0)", "O.L>S.b ? O.L-S.b : 0"},
      {"S.s/2", "S.s/2"},
      {"S.s*1.1547", "S.s*1.1547"},
      {"Int(S.b/O.P/3)", "floor(S.b/O.P/3)"},
      {"O.P*3", "O.P*3"},
      {"Pi*(S.r2^2-S.r1^2)", "_pi*(S.r2^2-S.r1^2)"},
      {"IIf(O.d2>=18, 8, 6)", "O.d2>=18 ? 8 : 6"},
      {"(S.r1+S.r2)/2", "(S.r1+S.r2)/2"},
      {"360/O.n", "360/O.n"},
      {"-2*S.Rk", "-2*S.Rk"},
      {"IIf(O.n=4, 0, S.Rk*0.7071)", "O.n==4 ? 0 : S.Rk*0.7071"},
      {"P.C2.X-S.e/2-3", "P.C2.X-S.e/2-3"},
      {"O.L-3.5*O.P", "O.L-3.5*O.P"},
      {"S.s/2/CosD(30)", "S.s/2/cos(30*_pi/180)"},
      {"QZDBSCA*3.5", "QZDBSCA*3.5"},
      {"Sqr(S.s^2+S.e^2)/2", "sqrt(S.s^2+S.e^2)/2"},
      {"Abs(P.A1.X-P.C2.X)+Max(S.r, S.r1, S.r2)", "abs(P.A1.X-P.C2.X)+max(S.r,S.r1,S.r2)"},
      {"O.K/2*Sin(Rad(45))", "O.K/2*sin(45*_pi/180)"},
      {"O.L>=40 And O.d<=12", "-(O.L>=40 && O.d<=12)"},
      {"S.R-S.Rk", "S.R-S.Rk"},
      {"IIf(O.L>125, 2*O.d+12, IIf(O.L>65, 2*O.d+6, 2*O.d))",
       "O.L>125 ? 2*O.d+12 : (O.L>65 ? 2*O.d+6 : 2*O.d)"},
      {"((O.D-O.K)/2+S.r1*2-S.r2/3)*(1+O.P/10)-Sqr(S.area/Pi)",
       "((O.D-O.K)/2+S.r1*2-S.r2/3)*(1+O.P/10)-sqrt(S.area/_pi)"},
      {"Exp(-O.h/10)*Log(O.d)", "exp(-O.h/10)*ln(O.d)"},
      {"2*(S.r+S.r1+S.r2)+O.C*O.rho/1000-O.h^2", "2*(S.r+S.r1+S.r2)+O.C*O.rho/1000-O.h^2"},
      {"Round(Pi*S.d^2/4*O.L*0.00785, 2)", "rint(_pi*S.d^2/4*O.L*0.00785*100)/100"},
      {"ATan2D(P.A1.Y, P.A1.X)", nullptr},
      {"\"Bolt \" & O.Thread & \"x\" & O.L", nullptr},
      {"\"M\" & S.d & \"x\" & O.L", nullptr},
      {"\"PN\" & 16", nullptr},
      {"IIf(O.d1<10, \"Ra 3.2\", \"Ra 6.3\")", nullptr},
      {"\"垫圈 \" & O.Size", nullptr},
      {"Left(O.Thread, 1) & Mid(O.Thread, 2) & \"-6g\"", nullptr},
      {"O.Code & \" PN16\"", nullptr},
      {"IIf(O.Code = \"DN50\", O.K - 2*S.r, O.K)", nullptr},
  };
  return corpus;
}

// The values of every variable the corpus uses: one standard size.
struct CorpusValue {
  const char* name;
  const char* value;
};

inline const std::vector<CorpusValue>& CorpusValues() {
  static const std::vector<CorpusValue> values = {
      {"O.L", "40"},       {"O.d", "10"},      {"O.P", "1.5"},    {"O.n", "4"},
      {"O.K", "125"},      {"O.D", "165"},     {"O.C", "18"},     {"O.h", "2"},
      {"O.d1", "10.5"},    {"O.d2", "17.5"},   {"O.rho", "7.85"}, {"O.Thread", "M10"},
      {"O.Size", "10"},    {"O.Code", "DN50"}, {"S.d", "10"},     {"S.b", "26"},
      {"S.s", "16"},       {"S.e", "18.4752"}, {"S.r", "5"},      {"S.r1", "4.188"},
      {"S.r2", "8.75"},    {"S.R", "82.5"},    {"S.rb", "30.5"},  {"S.Rk", "62.5"},
      {"S.area", "121.3"}, {"P.C2.X", "0"},    {"P.A1.X", "3"},   {"P.A1.Y", "4"},
      {"QZDBSCA", "1"},
  };
  return values;
}

}  // namespace qzdbs::bench

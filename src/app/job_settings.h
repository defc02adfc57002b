#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// The fixed properties of one job setting.
struct SettingProperties {
  int decimals;  // 0 for whole-number settings
  double minimum;
  double maximum;
  double start;
};

// One job setting: a number limited to its range and rounded to its
// decimals whenever it is set.
class JobSetting {
 public:
  explicit JobSetting(const SettingProperties& properties) : properties_(properties), value_(properties.start) {}

  // Limits `value` to the range, then rounds it to the setting's decimals
  // (whole-number settings take the even neighbour of an exact half).
  void Set(double value);
  // Sets the number that `text` holds; a text that is no number leaves the
  // value as it is and returns false.
  bool SetText(std::string_view text);
  void Reset() { value_ = properties_.start; }

  double value() const { return value_; }
  int IntValue() const { return static_cast<int>(value_); }
  // The value in fixed-point form with the setting's decimals and ".".
  std::string Text() const;
  const SettingProperties& properties() const { return properties_; }

 private:
  SettingProperties properties_;
  double value_;
};

inline constexpr SettingProperties kDeviationProperties{5, 0, 1000000, 0.1};
inline constexpr SettingProperties kArcTestsProperties{0, 1, 1000, 100};
inline constexpr SettingProperties kLineTestsProperties{0, 1, 1000, 100};
inline constexpr SettingProperties kJoinToleranceProperties{7, 0, 1000000, 0.01};

// The settings that the jobs read when they start. They are not kept
// between runs: every run starts with the start values and the modes off.
struct JobSettings {
  JobSetting deviation{kDeviationProperties};  // maximum deviation of line and arc
  JobSetting arc_tests{kArcTestsProperties};   // test points on the arc
  JobSetting line_tests{kLineTestsProperties};  // test points on each line segment
  JobSetting join_tolerance{kJoinToleranceProperties};  // tolerance for joining ends
  // The arc job measures the true distances of line and arc instead of
  // sampling them with the two test counts.
  bool exact_distances = false;
  // The line and join jobs build contours: pieces used in either direction,
  // only within one layer, the nearest end first, loops closed.
  bool contours = false;
  // The arc job also converts SPLINE, ELLIPSE and fitted POLYLINE entities
  // into arcs, measuring them exactly; the other polylines as `exact_distances` says.
  bool curves = false;

  void Reset();
};

}  // namespace quillmere

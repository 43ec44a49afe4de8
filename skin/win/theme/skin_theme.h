// The theme room: the loaded theme as drawing resources (container, schema,
// classes, images, metrics, backgrounds). It knows no windows. SkinTheme is
// the theme in force as the rooms above see it, handed to each skinned object
// when it is attached.
#pragma once
#include <memory>
#include <string_view>

class ThemeClass;
class ThemeMetrics;
class ThemeSchema;

class SkinTheme {
 public:
  virtual ~SkinTheme() = default;
  // A theme is loaded and in force.
  virtual bool IsEnabled() const = 0;
  // What the skin is applied to (SkinApplyOption bits).
  virtual int GetApplyOptions() const = 0;
  // The schema in force, null while disabled; holding it keeps its classes
  // and images alive across a later load.
  virtual std::shared_ptr<ThemeSchema> Schema() const = 0;
  // The theme class of that name (any case), null while disabled or for a
  // name that is no theme class.
  virtual ThemeClass* GetThemeClass(std::u16string_view name) const = 0;
  // The colours, fonts and sizes drawn with.
  virtual const ThemeMetrics& Metrics() const = 0;
};

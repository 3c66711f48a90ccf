// An enumeration's type information with its name list as written (DRIFT 0), and as it drifts from
// the enumeration (DRIFT 1 to 3): only the first may compile. check_enum_names.sh compiles each.
#include "framework/core/type_info.h"

enum TShade { shLight, shMedium, shDark };

#if DRIFT == 0
constexpr TEnumName<TShade> ShadeNames[] = {{shLight, "shLight"}, {shMedium, "shMedium"}, {shDark, "shDark"}};
#elif DRIFT == 1  // two values swapped
constexpr TEnumName<TShade> ShadeNames[] = {{shMedium, "shMedium"}, {shLight, "shLight"}, {shDark, "shDark"}};
#elif DRIFT == 2  // a name that is not its enumerator's
constexpr TEnumName<TShade> ShadeNames[] = {{shLight, "shLight"}, {shMedium, "shDark"}, {shDark, "shDark"}};
#elif DRIFT == 3  // the last value left without a name
constexpr TEnumName<TShade> ShadeNames[] = {{shLight, "shLight"}, {shMedium, "shMedium"}};
#endif

const TTypeInfo& TypeInfoFor(TShade*) { return EnumTypeInfo<ShadeNames>("TShade"); }

#pragma once

namespace draivo {

// The unit a program writes its lengths in: G21 millimetres, G20 inches.
enum class LengthUnit { Millimetre, Inch };

}  // namespace draivo

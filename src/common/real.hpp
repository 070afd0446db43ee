#pragma once
// The program computes in 80-bit extended precision wherever the platform offers it.
namespace florimant {
using Real = long double;
}

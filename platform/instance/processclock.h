#pragma once

// Milliseconds since the kernel started this process, dynamic loading included.
double millisecondsSinceProcessStart();

#pragma once
// The widget application the benchmarks of charts, lists and pictures need: made once, on
// the offscreen platform unless another one is set.
void EnsureBenchApplication();

#pragma once
// The chain-code step and the direction angle shared by the outline code.

// Moves (x, y) one step in direction c: 0 east, counter-clockwise, y upwards.
bool ChainStep(int c, int& x, int& y);
// The direction of (dx, dy) in radians, in (-pi, pi]; the zero vector gives -pi/2.
double DirectionAngle(double dx, double dy);

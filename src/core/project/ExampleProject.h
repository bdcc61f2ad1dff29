#pragma once

class Project;

// The blink example: a laser/LED on pin 13, a variable "Μετρητής", and a loop that
// switches pin 13 on and off every half second.
void buildBlinkExample(Project &project);

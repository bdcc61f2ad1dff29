#pragma once

#include <QString>

class Project;

// The program of a project as a lesson shows it: one line per block from the start
// block on, each in the colour of its palette group, the bodies of loops and
// conditions indented, numbers, texts, devices and value blocks in boxes. Lessons
// carry the program of their example project in this form, so that the text a
// pupil copies is a program that generates a sketch that compiles.
namespace LessonProgram {

// The program as an HTML fragment ending in a line break; empty without a start block.
QString html(Project &project);

} // namespace LessonProgram

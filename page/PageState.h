// What a page around the program (the browser's) reads of it and asks of it, as plain C functions
// that know nothing of the page: the page calls them between frames. Each returned string stays
// valid until the next call of any of the page's commands (page/PageAnswer.h).
#pragma once

extern "C" {

// The program's state as one line of JSON:
//   {"dimension":4,"vertices":16,"edges":32,"faces":24,"facesShown":false,
//    "message":null,"messageId":null,"plane":[0,3],"reverse":false}
// "dimension" is 0 while nothing is built; "message" is the open message box's text, and
// "messageId" says which of the program's messages it is ("range", "slow": DimensionRule::MessageId),
// so that a page can say it in its own language; "plane" holds the two axes the held digits turn
// the cube in at the next frame (null while nothing turns), and "reverse" says whether Shift turns
// it the other way. Text outside ASCII is written as \u escapes of its UTF-16 units.
const char* tessary_page_state();

// What the program does when asked to build the n-cube, by the rule of the generate button
// (hypercube/DimensionRule.h), as one line of JSON:
//   {"answer":"build"}                                      builds it at once;
//   {"answer":"ask","messageId":"slow","text":"..."}        asks the question `text` first (7, 8);
//   {"answer":"refused","messageId":"range","text":"..."}   builds nothing, says `text` (not 3 to 8).
// The texts are the program's own, outside ASCII as \u escapes of their UTF-16 units, with their
// ids as in the state. Needs no running program.
const char* tessary_dimension_question(int n);

// Builds the n-cube as the generate button does, axis-aligned, in the current mode and with the
// camera left where it is, the entry field showing n as if typed, but never asks nor opens a box.
// Returns "" when done, or one line saying why not, which starts with its kind (page/Refusal.h):
//   "out of range: ..."                 n is outside 3 to 8;
//   "not started: ..."                  the program has no screen yet;
//   "busy: a message box is open"       nothing changes until the box is closed.
const char* tessary_apply_dimension(int n);

// Faces on (the check box "线框渲染" cleared) or off, as a click on the check box sets them. Returns
// "" when done, or why not ("not started: ...", "busy: ...").
const char* tessary_show_faces(int shown);
}

// Why a command of the page's (page/ViewCommands.h, page/AnimationCommands.h, page/PageState.h,
// page/FigureCommands.h) did not do what it was asked, in the words a host around the program reads:
// one line "<kind>: <reason>". The kind lets a host choose what to do without reading the reason,
// which is for people.
//
// The kinds are written here only. The browser build reads the table between the `page table`
// markers (tools/web/refusal_module.js) and writes it as the page's module refusal_kinds.js, so that
// the page's own refusals (a message of the wrong shape, the program not running, a reader's 取消)
// use the same words; each entry there must stay `static constexpr Kind name{"words"};`.
#pragma once

#include <string>

class Refusal {
public:
    // A kind of refusal: its name is the word before the colon.
    struct Kind {
        const char* name;
    };

    // page table begin
    // The message is not of the protocol's shape: an unknown type or field, a missing field, a
    // value of the wrong type; or a command was given something it does not take.
    static constexpr Kind malformed{"malformed"};
    // The text is no view this program can show, or a tour it cannot read or time (the reason names the
    // step).
    static constexpr Kind unreadable{"unreadable"};
    // A number the page never takes: a dimension outside 3 to 8, an animation's ms outside 0 to 60000.
    static constexpr Kind outOfRange{"out of range"};
    // A message box is open in the program's window; nothing changes until it is closed.
    static constexpr Kind busy{"busy"};
    // The program has no screen yet, or does not run (not yet, or no more); or no animation is going.
    static constexpr Kind notStarted{"not started"};
    // The reader answered the program's question 取消 (Cancel).
    static constexpr Kind declined{"declined"};
    // Another view or animation was asked for before the animation arrived.
    static constexpr Kind replaced{"replaced"};
    // What should never happen did: a call into the program failed, a view on the way failed its check.
    static constexpr Kind failed{"failed"};
    // page table end

    // The reasons more than one command gives.
    static constexpr const char* noScreen = "the program has not started yet";
    static constexpr const char* boxOpen = "a message box is open";

    // The refusal as a host reads it.
    static std::string Worded(Kind kind, const std::string& reason);
};

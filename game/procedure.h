#pragma once
// The shape every game routine has: it counts itself in the call depth,
// registers its locals with the debug registry, and reports each statement
// (source file and line) to the statement hook before running it.
//
//     double location_a07() {
//         GAME_PROCEDURE(source_part_one);
//         STMT load_set(7, {"a07"});
//         STMT if (opt == 1) loc = 14;
//         return 0;
//     }

#include "runtime/core/debug_registry.h"

namespace game {

// Source file indices reported with each statement.
enum SourceFile : int { source_main = 0, source_part_one = 1, source_part_two = 2 };

class Procedure : public rt::ProcedureScope {
public:
    explicit Procedure(SourceFile file) : rt::ProcedureScope(file) {}
    // Registers a local variable under its name in the game source.
    template <class T>
    void local(const char* name, T& variable) {
        add_local(name, variable);
    }
};

}  // namespace game

#define GAME_PROCEDURE(file) ::game::Procedure game_procedure_{::game::file}
#define STMT game_procedure_.statement(__LINE__);

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

namespace game {

// Source file indices reported with each statement.
enum SourceFile : int { source_main = 0, source_part_one = 1, source_part_two = 2 };

class Procedure {
public:
    explicit Procedure(SourceFile file);
    ~Procedure();
    Procedure(const Procedure&) = delete;
    Procedure& operator=(const Procedure&) = delete;

    void statement(int line);
    // Registers a local number variable (name as written in the game source).
    void local(const char* name, double& variable);

private:
    SourceFile file_;
};

}  // namespace game

#define GAME_PROCEDURE(file) ::game::Procedure game_procedure_{::game::file}
#define STMT game_procedure_.statement(__LINE__);

#pragma once
// The runtime side of debugging the game as a traced process: a registry of
// the game's variables, the per-statement hook with breakpoints and single
// steps, and the record through which a debugger front-end talks to the
// program while it is stopped.
//
// Memory layout on this 64-bit system (little-endian, pointers 8 bytes).
// A front-end reads these out of the stopped process; static_asserts below
// keep them true.
//
// VariableDescriptor, 24 bytes:
//    0  name        const char*  zero-terminated name as written in the game source
//    8  type        int32        0 number, 1 string, 2 number array
//   12  reserved    int32        always 0 (keeps `address` aligned)
//   16  address     void*        the storage: a double, an RtString, a NumberArray
//
// VariableRegistry (1024 descriptors) and LocalFrame (32 descriptors):
//    0  count       int32        descriptors in use
//    4  reserved    int32        always 0
//    8  descriptors VariableDescriptor[capacity]
//
// DebugRecord, 64 bytes (`debug_record`; "BP" + its address in hex announces it):
//    0  breakpoint_count   int32  entries used in the breakpoint tables (debugger)
//    4  global_count       int32  registry count at the stop (runtime)
//    8  local_count        int32  count of the stopped procedure's frame (runtime)
//   12  break_always       int32  non-zero: stop at every statement (debugger; 1000 at start)
//   16  stop_file          int32  source file index of the stop (runtime)
//   20  stop_line          int32  source line of the stop (runtime)
//   24  terminate_request  int32  non-zero: end the program at the next stop (debugger)
//   28  step_command       int32  > 0 step over, < 0 step out, 0 none (debugger; cleared by
//                                 the runtime before each report)
//   32  breakpoint_files   int32*  table of 1024 breakpoint file indices
//   40  breakpoint_lines   int32*  table of 1024 breakpoint lines
//   48  globals            VariableDescriptor*  the registry's first descriptor
//   56  locals             VariableDescriptor*  the stopped frame's first descriptor (or null)
//
// Source file indices: 0 the main program and shared routines, 1 Part One,
// 2 Part Two.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <vector>

namespace rt {

struct NumberArray;

enum class VariableType : std::int32_t { number = 0, string = 1, number_array = 2 };

struct VariableDescriptor {
    const char* name = nullptr;
    std::int32_t type = 0;
    std::int32_t reserved = 0;
    void* address = nullptr;
};

// A count followed by room for Capacity descriptors. The registry only
// grows while the program runs; frames start empty with each procedure call.
template <std::size_t Capacity>
struct VariableTable {
    std::int32_t count = 0;
    std::int32_t reserved = 0;
    std::array<VariableDescriptor, Capacity> descriptors{};

    static constexpr std::int32_t capacity = static_cast<std::int32_t>(Capacity);

    // False when the table is full: the variable then stays invisible to the
    // debugger but the game runs on unchanged.
    bool add(const VariableDescriptor& descriptor) {
        if (count >= capacity) return false;
        descriptors[static_cast<std::size_t>(count++)] = descriptor;
        return true;
    }
    // Removes the latest descriptor of that storage, keeping the others in order.
    void remove(const void* address) {
        for (std::int32_t i = count; i-- > 0;) {
            if (descriptors[static_cast<std::size_t>(i)].address != address) continue;
            for (std::int32_t j = i; j + 1 < count; ++j) {
                descriptors[static_cast<std::size_t>(j)] = descriptors[static_cast<std::size_t>(j + 1)];
            }
            descriptors[static_cast<std::size_t>(--count)] = {};
            return;
        }
    }
};

inline constexpr std::size_t registry_capacity = 1024;
inline constexpr std::size_t local_frame_capacity = 32;
inline constexpr std::size_t breakpoint_capacity = 1024;

using VariableRegistry = VariableTable<registry_capacity>;
using LocalFrame = VariableTable<local_frame_capacity>;

struct DebugRecord {
    std::int32_t breakpoint_count = 0;
    std::int32_t global_count = 0;
    std::int32_t local_count = 0;
    std::int32_t break_always = 1000;  // so the first statement stops when a debugger is attached
    std::int32_t stop_file = 0;
    std::int32_t stop_line = 0;
    std::int32_t terminate_request = 0;
    std::int32_t step_command = 0;
    std::int32_t* breakpoint_files = nullptr;
    std::int32_t* breakpoint_lines = nullptr;
    VariableDescriptor* globals = nullptr;
    VariableDescriptor* locals = nullptr;
};

static_assert(sizeof(void*) == 8, "the documented layout is the 64-bit one");
static_assert(std::is_standard_layout_v<VariableDescriptor> && sizeof(VariableDescriptor) == 24);
static_assert(offsetof(VariableDescriptor, type) == 8 && offsetof(VariableDescriptor, address) == 16);
static_assert(std::is_standard_layout_v<VariableRegistry> && offsetof(VariableRegistry, descriptors) == 8);
static_assert(sizeof(VariableRegistry) == 8 + 24 * registry_capacity);
static_assert(std::is_standard_layout_v<LocalFrame> && offsetof(LocalFrame, descriptors) == 8);
static_assert(std::is_standard_layout_v<DebugRecord> && sizeof(DebugRecord) == 64);
static_assert(offsetof(DebugRecord, break_always) == 12 && offsetof(DebugRecord, step_command) == 28);
static_assert(offsetof(DebugRecord, breakpoint_files) == 32 && offsetof(DebugRecord, breakpoint_lines) == 40);
static_assert(offsetof(DebugRecord, globals) == 48 && offsetof(DebugRecord, locals) == 56);

// Process-wide debugging state. Constant-initialised, so the game's globals
// can register during static initialisation in any translation unit.
extern VariableRegistry variable_registry;
extern DebugRecord debug_record;
extern std::array<std::int32_t, breakpoint_capacity> breakpoint_files;
extern std::array<std::int32_t, breakpoint_capacity> breakpoint_lines;
// Depth of game procedure calls; the game's static initialiser counts as one.
extern std::int32_t call_depth;
// A pending step stops at the first statement whose call depth is at most this.
extern std::int32_t step_depth;

// Called before each statement of the game. Records the source position and
// stops for the debugger on a single step, `break_always` or a breakpoint.
void statement_hook(std::int32_t file, std::int32_t line, LocalFrame* frame);
// Reports a stop: "BP" + the record's address; returns when the debugger lets
// the program continue. Does nothing without a debugger.
void debugger_break(DebugRecord* record);
// Sends "TX" + text to an attached debugger; nothing otherwise.
void debug_output(std::string_view text);
// Binds standard input and output to the terminal (see platform/debugger.h).
void open_console();

// Whether a debugger is attached. The answer is kept and asked of the
// system again only every few thousand calls, so the statement hook stays
// cheap while a debugger that attaches later is still noticed.
bool debugger_attached();
// Forgets the kept answer (after the debugger service was replaced).
void recheck_debugger_attached();

// Type codes of the game's variable kinds. The string type adds its own
// specialisation next to its definition.
template <class T>
struct variable_type_of;
template <>
struct variable_type_of<double> : std::integral_constant<VariableType, VariableType::number> {};
template <>
struct variable_type_of<NumberArray> : std::integral_constant<VariableType, VariableType::number_array> {};

inline VariableDescriptor variable(const char* name, VariableType type, void* address) {
    return {name, static_cast<std::int32_t>(type), 0, address};
}
template <class T>
VariableDescriptor variable(const char* name, T& storage) {
    return variable(name, variable_type_of<T>::value, &storage);
}

// The game's global variables, registered in declaration order when the
// program starts and removed when it ends. One per program: it stands for the
// game's static initialiser, which also counts as one call level.
//
//   double loc = 0;
//   rt::NumberArray kern;
//   const rt::GlobalVariables globals{rt::variable("loc", loc), rt::variable("kern", kern)};
class GlobalVariables {
public:
    GlobalVariables(std::initializer_list<VariableDescriptor> variables);
    ~GlobalVariables();
    GlobalVariables(const GlobalVariables&) = delete;
    GlobalVariables& operator=(const GlobalVariables&) = delete;

private:
    std::vector<const void*> registered_;
};

// The life of one game procedure call: counts the call depth on entry and on
// every way out, and owns the frame in which its parameters and locals are
// visible to the debugger; they disappear with it.
//
//   double choice_menu(double first) {
//       rt::ProcedureScope procedure{0};
//       procedure.add_local("first", first);
//       procedure.statement(412);
//       ...
class ProcedureScope {
public:
    explicit ProcedureScope(std::int32_t file) : file_(file) { ++call_depth; }
    ~ProcedureScope() { --call_depth; }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;

    template <class T>
    void add_local(const char* name, T& storage) {
        frame_.add(variable(name, storage));
    }
    void add_local(const char* name, VariableType type, void* address) { frame_.add(variable(name, type, address)); }

    // The hook before the statement on `line` of this procedure's source file.
    void statement(std::int32_t line) { statement_hook(file_, line, &frame_); }

    LocalFrame& frame() { return frame_; }
    const LocalFrame& frame() const { return frame_; }

private:
    std::int32_t file_;
    LocalFrame frame_{};
};

}  // namespace rt

#include "undo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The object the test commands change, and a trace of what happened to the commands.
struct World {
  int value = 0;
  std::vector<std::string> trace;
  int alive = 0;
};

// Sets the world's value; remembers the old one for undo. When both it and the following command are
// `merging`, it takes over the new one's value (as consecutive typing in one field does).
class SetValue : public UNDO::CommandBase {
 public:
  SetValue(World& world, int newValue, std::string name, bool merging = false, bool executeOk = true,
           bool unexecuteOk = true)
      : world_(world), new_(newValue), name_(std::move(name)), merging_(merging), executeOk_(executeOk),
        unexecuteOk_(unexecuteOk) {
    ++world_.alive;
  }
  ~SetValue() override {
    --world_.alive;
    world_.trace.push_back("~" + name_);
  }
  bool Execute() override {
    world_.trace.push_back("do " + name_);
    if (!executeOk_) return false;
    old_ = world_.value;
    world_.value = new_;
    return true;
  }
  bool Unexecute() override {
    world_.trace.push_back("undo " + name_);
    if (!unexecuteOk_) return false;
    world_.value = old_;
    return true;
  }
  bool mergeWith(UNDO::CommandBase* next) override {
    auto* other = dynamic_cast<SetValue*>(next);
    if (!merging_ || other == nullptr || !other->merging_) return false;
    new_ = other->new_;
    world_.value = new_;
    world_.trace.push_back("merge " + other->name_ + " into " + name_);
    return true;
  }

 private:
  World& world_;
  int new_;
  int old_ = 0;
  std::string name_;
  bool merging_, executeOk_, unexecuteOk_;
};

TEST(Undo, EmptyListsChangeNothing) {
  World w;
  CommandManagerT manager;
  manager.Undo();
  manager.Redo();
  EXPECT_EQ(0u, manager.GetUndoCount());
  EXPECT_EQ(0u, manager.GetRedoCount());
  EXPECT_TRUE(w.trace.empty());
}

TEST(Undo, DoUndoRedo) {
  World w;
  {
    CommandManagerT manager;
    manager.DoCommand(new SetValue(w, 1, "a"));
    manager.DoCommand(new SetValue(w, 2, "b"));
    EXPECT_EQ(2, w.value);
    manager.Undo();
    EXPECT_EQ(1, w.value);
    manager.Undo();
    EXPECT_EQ(0, w.value);
    EXPECT_EQ(2u, manager.GetRedoCount());
    manager.Redo();  // the most recently undone first
    EXPECT_EQ(1, w.value);
    EXPECT_EQ(1u, manager.GetUndoCount());
    EXPECT_EQ(1u, manager.GetRedoCount());
  }
  EXPECT_EQ(0, w.alive);  // the manager destroys both lists
}

TEST(Undo, FailedCommandsAreDestroyedAndNotRecorded) {
  World w;
  CommandManagerT manager;
  manager.DoCommand(new SetValue(w, 1, "fails", false, false));
  EXPECT_EQ(0u, manager.GetUndoCount());
  EXPECT_EQ(0, w.alive);
  manager.DoCommand(new SetValue(w, 2, "cannot undo", false, true, false));
  manager.Undo();
  EXPECT_EQ(0u, manager.GetUndoCount());
  EXPECT_EQ(0u, manager.GetRedoCount());  // gone from both lists
  EXPECT_EQ(0, w.alive);
}

TEST(Undo, LimitRemovesTheOldest) {
  World w;
  CommandManagerT manager;
  for (int i = 0; i < 1000; ++i) manager.DoCommand(new SetValue(w, i, "c" + std::to_string(i)));
  EXPECT_EQ(1000u, manager.GetUndoCount());
  w.trace.clear();
  manager.DoCommand(new SetValue(w, 1000, "c1000"));
  EXPECT_EQ(1000u, manager.GetUndoCount());
  EXPECT_EQ(1000, w.alive);
  EXPECT_EQ((std::vector<std::string>{"do c1000", "~c0"}), w.trace);
}

TEST(Undo, MacroOverTheLimitIsKeptAndOnlyOneOldestGoesPerAdd) {
  World w;
  CommandManagerT manager;
  for (int i = 0; i < 1000; ++i) manager.DoCommand(new SetValue(w, i, "c"));
  manager.BeginMacro();
  manager.EndMacro();
  EXPECT_EQ(1001u, manager.GetUndoCount());
  manager.DoCommand(new SetValue(w, 5, "next"));
  EXPECT_EQ(1001u, manager.GetUndoCount());
}

TEST(Undo, NewCommandEmptiesRedoEvenWhenMerged) {
  World w;
  CommandManagerT manager;
  manager.DoCommand(new SetValue(w, 1, "a", true));
  manager.DoCommand(new SetValue(w, 2, "b", true));
  EXPECT_EQ(1u, manager.GetUndoCount());  // b merged into a
  EXPECT_EQ(2, w.value);
  manager.DoCommand(new SetValue(w, 3, "c"));
  manager.Undo();
  EXPECT_EQ(1u, manager.GetRedoCount());
  manager.DoCommand(new SetValue(w, 4, "d", true));  // merged into a, and still ends the redo chance
  EXPECT_EQ(0u, manager.GetRedoCount());
  EXPECT_EQ(4, w.value);
  manager.Undo();
  EXPECT_EQ(0, w.value);  // one step back to before a
}

TEST(Undo, MergedCommandIsNotExecuted) {
  World w;
  CommandManagerT manager;
  manager.DoCommand(new SetValue(w, 1, "a", true));
  manager.DoCommand(new SetValue(w, 2, "b", true));
  EXPECT_EQ((std::vector<std::string>{"do a", "merge b into a", "~b"}), w.trace);
}

TEST(Undo, MacroIsOneStepWithoutMerging) {
  World w;
  CommandManagerT manager;
  manager.DoCommand(new SetValue(w, 1, "before", true));
  manager.BeginMacro();
  EXPECT_TRUE(manager.IsRecording());
  manager.DoCommand(new SetValue(w, 2, "m1", true));
  manager.DoCommand(new SetValue(w, 3, "m2", true));
  manager.DoCommand(new SetValue(w, 9, "m3 fails", false, false));
  manager.EndMacro();
  EXPECT_FALSE(manager.IsRecording());
  EXPECT_EQ(2u, manager.GetUndoCount());
  EXPECT_EQ(3, w.value);
  manager.Undo();
  EXPECT_EQ(1, w.value);
  manager.Redo();
  EXPECT_EQ(3, w.value);
}

// Two members of one macro change the same object: taking them back first to first would leave the
// value of the first member's new state (2) instead of the state before the macro (1).
TEST(Undo, MacroUndoesItsMembersLastToFirst) {
  World w;
  w.value = 1;
  CommandManagerT manager;
  manager.BeginMacro();
  manager.DoCommand(new SetValue(w, 2, "m1"));
  manager.DoCommand(new SetValue(w, 3, "m2"));
  manager.EndMacro();
  w.trace.clear();
  manager.Undo();
  EXPECT_EQ((std::vector<std::string>{"undo m2", "undo m1"}), w.trace);
  EXPECT_EQ(1, w.value);
  w.trace.clear();
  manager.Redo();
  EXPECT_EQ((std::vector<std::string>{"do m1", "do m2"}), w.trace);
  EXPECT_EQ(3, w.value);
}

TEST(Undo, EmptyMacroIsAStepThatChangesNothing) {
  World w;
  CommandManagerT manager;
  manager.BeginMacro();
  manager.EndMacro();
  EXPECT_EQ(1u, manager.GetUndoCount());
  manager.Undo();
  EXPECT_EQ(1u, manager.GetRedoCount());
  manager.Redo();
  EXPECT_EQ(1u, manager.GetUndoCount());
  EXPECT_EQ(0, w.value);
}

// A second EndMacro must not record the closed macro again (it would then be destroyed twice).
TEST(Undo, SecondEndMacroAddsNothing) {
  World w;
  {
    CommandManagerT manager;
    manager.BeginMacro();
    manager.DoCommand(new SetValue(w, 2, "m1"));
    manager.EndMacro();
    manager.EndMacro();
    EXPECT_EQ(1u, manager.GetUndoCount());
    manager.DoCommand(new SetValue(w, 5, "after"));  // not recording: a step of its own
    EXPECT_EQ(2u, manager.GetUndoCount());
  }
  EXPECT_EQ(0, w.alive);
}

// BeginMacro while a macro is open closes the open one as its own step: nothing leaks, and what its
// members did stays undoable.
TEST(Undo, BeginMacroWithAMacroOpenKeepsTheFirstAsAStep) {
  World w;
  {
    CommandManagerT manager;
    manager.BeginMacro();
    manager.DoCommand(new SetValue(w, 1, "first"));
    manager.BeginMacro();
    manager.DoCommand(new SetValue(w, 2, "second"));
    manager.EndMacro();
    EXPECT_EQ(2u, manager.GetUndoCount());
    manager.Undo();
    EXPECT_EQ(1, w.value);
    manager.Undo();
    EXPECT_EQ(0, w.value);
  }
  EXPECT_EQ(0, w.alive);
}

TEST(Undo, ManagerDestroyedWhileRecordingFreesTheOpenMacro) {
  World w;
  {
    CommandManagerT manager;
    manager.BeginMacro();
    manager.DoCommand(new SetValue(w, 1, "m"));
  }
  EXPECT_EQ(0, w.alive);
}

TEST(Undo, ClearingTheListsDestroysTheirCommands) {
  World w;
  CommandManagerT manager;
  manager.DoCommand(new SetValue(w, 1, "a"));
  manager.DoCommand(new SetValue(w, 2, "b"));
  manager.Undo();
  manager.ClearUndoList();
  manager.ClearRedoList();
  EXPECT_EQ(0, w.alive);
  EXPECT_EQ(0u, manager.GetUndoCount() + manager.GetRedoCount());
}

}  // namespace

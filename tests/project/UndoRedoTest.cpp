// The undo/redo history over a small document edited the way the project window and
// the plan editor do: what each undo and redo puts back, several steps at once, the
// references the luminaires point at, and the drop-down lists.
#include "project/UndoRedoList.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace lumivar {
namespace {

std::unique_ptr<TRefLuminaria> MakeRef(const std::string& name, std::int32_t lengthMm)
{
    auto ref = std::make_unique<TRefLuminaria>();
    ref->Data.Reference = name;
    ref->Data.LengthC = lengthMm;
    return ref;
}

TObjectoLuminaria PlacedAt(std::int32_t refIndex, float x, float y)
{
    TObjectoLuminaria l;
    l.RefIndex = refIndex;
    l.X = x;
    l.Y = y;
    l.Z = 2.5f;
    return l;
}

// Every part of the document a restore may touch, as one comparable line.
std::string Describe(const ProjectDocument& doc)
{
    std::ostringstream s;
    s << "name=" << doc.ProjectData.ProjectName.Text() << " done=" << int(doc.ProjectData.Results.DirectDone)
      << " obs=" << doc.Observations << " photo=" << doc.Photo.Data.size() << " refs=";
    for (const auto& ref : doc.LuminaireRefs)
        s << ref->Data.Reference.Text() << ":" << ref->Quantity << ",";
    s << " lums=";
    for (const TObjectoLuminaria& l : doc.Luminaires)
        s << l.Number << "/" << l.RefIndex << "@" << l.X << ";" << l.Y << "<" << l.Angle << ",";
    s << " report=" << doc.ReportPage.MarginTop << " zoom=" << doc.ZoomPercent << " mod=" << doc.Modified
      << " plan=" << doc.PlanChanged;
    return s.str();
}

// Each luminaire points at the live reference its RefIndex names and has taken that
// reference's size; each reference counts the luminaires using it.
void ExpectLuminairesAttached(const ProjectDocument& doc)
{
    std::vector<int> uses(doc.LuminaireRefs.size(), 0);
    for (const TObjectoLuminaria& l : doc.Luminaires) {
        ASSERT_GE(l.RefIndex, 0);
        ASSERT_LT(std::size_t(l.RefIndex), doc.LuminaireRefs.size());
        const TRefLuminaria* live = doc.LuminaireRefs[std::size_t(l.RefIndex)].get();
        EXPECT_EQ(l.Ref, live);
        EXPECT_FLOAT_EQ(l.SizeA, float(live->Data.LengthC) / 1000.0f);
        ++uses[std::size_t(l.RefIndex)];
    }
    for (std::size_t i = 0; i < uses.size(); ++i)
        EXPECT_EQ(doc.LuminaireRefs[i]->Quantity, uses[i]) << "reference " << i;
}

// A project window's document and history, with the edits that record entries.
class UndoRedoHistory : public ::testing::Test {
protected:
    ProjectDocument m_doc;
    TUndoRedoList m_history{m_doc};

    void Open()
    {
        m_doc.ProjectData.ProjectName = "open";
        m_doc.Observations = "first";
        m_doc.ReportPage.MarginTop = 15;
        m_doc.LuminaireRefs.push_back(MakeRef("A", 600));
        m_doc.AddLuminaire(PlacedAt(0, 1, 1));
        m_doc.AddLuminaire(PlacedAt(0, 3, 1));
        m_doc.Luminaires[0].Number = 1;
        m_doc.Luminaires[1].Number = 2;
        m_history.Start();
    }
    void ApplyData(const std::string& name, const std::string& observations)
    {
        m_doc.ProjectData.ProjectName = name;
        m_doc.Observations = observations;
        m_doc.InvalidateResults();
        m_doc.Modified = true;
        m_history.RecordDataApplied();
    }
    void PlanEdit(bool withReferences, std::string_view label)
    {
        m_doc.InvalidateResults();
        m_doc.PlanChanged = true;
        m_doc.Modified = true;
        ASSERT_TRUE(m_history.RecordPlanEdit(withReferences, label));
    }
    void Move(std::size_t i, float x)
    {
        m_doc.Luminaires[i].X = x;
        PlanEdit(false, kUndoLabelPosition);
    }
    void Turn(std::size_t i, float angle)
    {
        m_doc.Luminaires[i].Angle = angle;
        PlanEdit(false, kUndoLabelAngle);
    }
    // A new reference from the references dialog, then a luminaire of it on the plan.
    void AddReferenceAndLuminaire(const std::string& name, std::int32_t lengthMm)
    {
        m_doc.LuminaireRefs.push_back(MakeRef(name, lengthMm));
        m_doc.AddLuminaire(PlacedAt(std::int32_t(m_doc.LuminaireRefs.size() - 1), 2, 2));
        m_doc.Luminaires.back().Number = std::int32_t(m_doc.Luminaires.size());
        PlanEdit(true, kUndoLabelReferences);
    }
    void DeleteLast()
    {
        m_doc.LuminaireRefs[std::size_t(m_doc.Luminaires.back().RefIndex)]->RemoveUse();
        m_doc.Luminaires.pop_back();
        PlanEdit(true, kUndoLabelDelete);
    }
    void Calculate()
    {
        m_doc.ProjectData.Results.DirectDone = 1;
        m_doc.ProjectData.Results.IndirectDone = 1;
        m_doc.Modified = true;
        m_history.StoreData(m_doc.ProjectData);
    }
};

TEST_F(UndoRedoHistory, NothingToUndoOrRedoBeforeTheFirstEdit)
{
    EXPECT_EQ(m_history.Position(), -1);
    EXPECT_FALSE(m_history.CanUndo());
    EXPECT_FALSE(m_history.CanRedo());
    EXPECT_TRUE(m_history.Undo().None());

    Open();
    EXPECT_EQ(m_history.Count(), 1);
    EXPECT_EQ(m_history.At(0).Label(), "]:)");
    EXPECT_FALSE(m_history.CanUndo());
    EXPECT_FALSE(m_history.CanRedo());
    const std::string before = Describe(m_doc);
    EXPECT_TRUE(m_history.Undo().None());
    EXPECT_TRUE(m_history.Redo().None());
    EXPECT_TRUE(m_history.UndoSteps(3).None());
    EXPECT_EQ(Describe(m_doc), before);
}

// A data-page entry holds no luminaires: they come from the opening entry, the record
// and texts from the data-page entry.
TEST_F(UndoRedoHistory, UndoToDataEntryTakesLuminairesFromTheNearestHolder)
{
    Open();
    ApplyData("renamed", "second");
    Move(0, 4);

    const HistoryChange change = m_history.Undo();
    EXPECT_EQ(m_history.Position(), 1);
    EXPECT_EQ(m_doc.ProjectData.ProjectName.Text(), "renamed");
    EXPECT_EQ(m_doc.Observations, "second");
    EXPECT_EQ(m_doc.Luminaires[0].X, 1);
    EXPECT_TRUE(m_doc.Modified);
    EXPECT_FALSE(m_doc.PlanChanged);
    EXPECT_TRUE(change.Luminaires);
    EXPECT_FALSE(change.Texts); // observations were already those of the data page
    EXPECT_FALSE(change.Report);
    ExpectLuminairesAttached(m_doc);
}

// After undoing, a new edit drops the undone entries but keeps the one the user was
// at, so one undo returns to the state just before the edit.
TEST_F(UndoRedoHistory, EditAfterUndoKeepsTheCurrentEntry)
{
    Open();
    Move(0, 2);
    Move(0, 3);
    Move(0, 4);
    m_history.Undo();
    m_history.Undo();
    ASSERT_EQ(m_history.Position(), 1);
    const std::string beforeEdit = Describe(m_doc);

    ApplyData("renamed", "second");
    ASSERT_EQ(m_history.Count(), 3);
    ASSERT_EQ(m_history.Position(), 2);
    EXPECT_EQ(m_history.At(1).Label(), "Luminárias: posição");
    EXPECT_EQ(m_history.At(2).Label(), "Dados");
    EXPECT_FALSE(m_history.CanRedo());

    m_history.Undo();
    EXPECT_EQ(Describe(m_doc), beforeEdit);
    m_history.Redo();
    EXPECT_EQ(m_doc.ProjectData.ProjectName.Text(), "renamed");
    EXPECT_EQ(m_doc.Luminaires[0].X, 2);
}

TEST_F(UndoRedoHistory, CalculatedResultsComeBackOnRedo)
{
    Open();
    Move(1, 5);
    Calculate();
    m_history.Undo();
    EXPECT_EQ(m_doc.ProjectData.Results.DirectDone, 0);
    m_history.Redo();
    EXPECT_EQ(m_doc.ProjectData.Results.DirectDone, 1);
    EXPECT_EQ(m_doc.ProjectData.Results.IndirectDone, 1);
    EXPECT_EQ(m_doc.Luminaires[1].X, 5);
}

// Walks a history of every kind one step at a time and by every number of steps
// from every position; each must land on the state recorded with the entry there.
TEST_F(UndoRedoHistory, EveryWalkLandsOnTheRecordedState)
{
    std::vector<std::string> recorded;
    auto record = [&] { recorded.push_back(Describe(m_doc)); };
    Open();
    record();
    ApplyData("one", "obs-a");
    record();
    Move(0, 2);
    record();
    AddReferenceAndLuminaire("B", 1200);
    record();
    ApplyData("two", "obs-b");
    record();
    Turn(2, 90);
    record();
    Turn(2, 180);
    record();
    Move(1, 6);
    record();
    DeleteLast();
    record();
    m_doc.Photo.Kind = "TJPEGImage";
    m_doc.Photo.Data = Bytes(32, 7);
    ApplyData("three", "obs-c");
    record();
    ApplyData("four", "obs-c");
    record();
    const int last = m_history.Count() - 1;
    ASSERT_EQ(int(recorded.size()), m_history.Count());

    for (int p = last; p >= 0; --p) {
        ASSERT_EQ(Describe(m_doc), recorded[std::size_t(p)]) << "one step back to " << p;
        ExpectLuminairesAttached(m_doc);
        for (int n = 1; n <= p; ++n) {
            m_history.UndoSteps(n);
            ASSERT_EQ(m_history.Position(), p - n);
            ASSERT_EQ(Describe(m_doc), recorded[std::size_t(p - n)]) << n << " back from " << p;
            ExpectLuminairesAttached(m_doc);
            m_history.RedoSteps(n);
            ASSERT_EQ(Describe(m_doc), recorded[std::size_t(p)]) << n << " forward to " << p;
            ExpectLuminairesAttached(m_doc);
        }
        m_history.Undo();
    }
    for (int p = 1; p <= last; ++p) {
        m_history.Redo();
        ASSERT_EQ(Describe(m_doc), recorded[std::size_t(p)]) << "one step forward to " << p;
        ExpectLuminairesAttached(m_doc);
    }

    // The last line of the undo list restores the opening entry, report and zoom too.
    m_doc.ReportPage.MarginTop = 30;
    m_doc.ZoomPercent = 300;
    const HistoryChange change = m_history.UndoSteps(last);
    EXPECT_EQ(Describe(m_doc), recorded[0]);
    EXPECT_TRUE(change.Report && change.Zoom && change.Texts && change.References);
}

// Undoing past an edit of the references puts back the list without the new one,
// and the luminaires restored then resolve against that list.
TEST_F(UndoRedoHistory, RestoredReferencesAreTheOnesLuminairesPointAt)
{
    Open();
    Move(0, 2);
    ApplyData("one", "obs");
    AddReferenceAndLuminaire("B", 1200);
    const TRefLuminaria* oldA = m_doc.LuminaireRefs[0].get();

    m_history.Undo(); // to the data-page entry: luminaires from the move, references from the opening
    ASSERT_EQ(m_doc.LuminaireRefs.size(), 1u);
    ASSERT_EQ(m_doc.Luminaires.size(), 2u);
    EXPECT_NE(m_doc.LuminaireRefs[0].get(), oldA);
    EXPECT_EQ(m_doc.LuminaireRefs[0]->Quantity, 2);
    ExpectLuminairesAttached(m_doc);

    m_history.Redo();
    ASSERT_EQ(m_doc.LuminaireRefs.size(), 2u);
    EXPECT_EQ(m_doc.LuminaireRefs[1]->Data.Reference.Text(), "B");
    EXPECT_EQ(m_doc.Luminaires.back().SizeA, 1.2f);
    ExpectLuminairesAttached(m_doc);
}

TEST_F(UndoRedoHistory, AfterSavingOnlyTheSavedEntryIsUnmodified)
{
    Open();
    Move(0, 2);
    Move(0, 3);
    m_doc.Modified = false;
    m_history.MarkSaved();

    m_history.Undo();
    EXPECT_TRUE(m_doc.Modified);
    m_history.Undo();
    EXPECT_TRUE(m_doc.Modified); // the opened state is no longer what the file holds
    m_history.RedoSteps(2);
    EXPECT_FALSE(m_doc.Modified);
}

TEST_F(UndoRedoHistory, PlanEditsAreRecordedOnlyWhenThePlanChanged)
{
    Open();
    m_doc.PlanChanged = false;
    EXPECT_FALSE(m_history.RecordPlanEdit(true, kUndoLabelProperties));
    EXPECT_EQ(m_history.Count(), 1);

    m_doc.PlanChanged = true;
    EXPECT_TRUE(m_history.RecordPlanEdit(true, kUndoLabelProperties));
    EXPECT_TRUE(m_history.RecordPlanEdit(false, kUndoLabelProperties));
    EXPECT_EQ(m_history.At(1).Kind(), UndoKind::References);
    EXPECT_EQ(m_history.At(2).Kind(), UndoKind::Luminaires);
    EXPECT_TRUE(m_history.At(2).WasPlanChanged);
}

TEST_F(UndoRedoHistory, DropDownListsAndCaptions)
{
    Open();
    ApplyData("one", "obs");
    Move(0, 2);
    Turn(0, 90);
    m_history.RecordAutomaticCount();
    m_history.RecordBlock();
    m_history.UndoSteps(2);

    EXPECT_EQ(m_history.UndoLabels(), (std::vector<std::string>{"Luminárias: ângulo", "Luminárias: posição", "Dados"}));
    EXPECT_EQ(m_history.RedoLabels(), (std::vector<std::string>{"Luminárias Automáticas", "Bloco Luminárias"}));
    EXPECT_EQ(m_history.RedoSteps(9).None(), false); // cut to the two available
    EXPECT_EQ(m_history.Position(), 5);

    EXPECT_EQ(UndoStepsCaption(1), "Anular 1 Acção");
    EXPECT_EQ(UndoStepsCaption(3), "Anular 3 Acções");
    EXPECT_EQ(RedoStepsCaption(2), "Repetir 2 Acções");
}

} // namespace
} // namespace lumivar

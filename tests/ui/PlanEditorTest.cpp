// The plan editor driven with the mouse and keys, offscreen: selection, dragging against
// a wall, duplicating at two zooms, rubber-band selection, deleting with renumbering,
// the context menus and the position list.

#include "graphics/PlanWidget.h"
#include "graphics/PositionList.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace lumivar {

namespace {

// A 10 m × 5 m room with one 1.2 m × 0.3 m reference and luminaires at (2, 2),
// (5, 2.5) and (8, 3), shown at about 100 pixels per metre.
struct Editor {
    ProjectDocument Doc;
    PlanWidget Widget;

    Editor()
    {
        Doc.ProjectData.Length = 10;
        Doc.ProjectData.Width = 5;
        Doc.ProjectData.Height = 3;
        Doc.ProjectData.Results.DirectDone = 1;
        auto ref = std::make_unique<TRefLuminaria>();
        ref->Data.Reference = "Linear";
        ref->Data.LengthC = 1200;
        ref->Data.WidthL = 300;
        Doc.LuminaireRefs.push_back(std::move(ref));
        const float at[3][2] = {{2, 2}, {5, 2.5f}, {8, 3}};
        for (int i = 0; i < 3; ++i) {
            TObjectoLuminaria l;
            l.X = at[i][0];
            l.Y = at[i][1];
            l.Z = 2.8f;
            l.RefIndex = 0;
            l.Number = i + 1;
            Doc.AddLuminaire(l);
        }
        Widget.resize(1050, 540);
        Widget.SetDocument(&Doc);
        Widget.ConfirmDelete = [](const QString&) { return true; };
    }

    TPlanoGrafico& Plan() { return Widget.Plan(); }
    TObjectoGrafico& At(int i) { return *Plan().Luminaires()[static_cast<std::size_t>(i)]; }

    void Send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(pos), QPointF(Widget.mapToGlobal(pos)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
        QApplication::sendEvent(&Widget, &event);
    }
    void Click(QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonPress, pos, button, mods);
        Send(QEvent::MouseButtonRelease, pos, button, mods);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton, mods);
        for (int step = 1; step <= 4; ++step)
            Send(QEvent::MouseMove, from + (to - from) * step / 4, Qt::LeftButton, mods);
        Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, mods);
    }
    QAction* Action(QMenu* menu, const QString& caption)
    {
        for (QAction* a : menu->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
};

std::vector<bool> Selection(Editor& e)
{
    std::vector<bool> s;
    for (const auto& sym : e.Plan().Luminaires())
        s.push_back(sym->Selected);
    return s;
}

} // namespace

class PlanEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void clickSelectsCtrlAddsAndTheEmptyPlanDeselects();
    void draggingASelectionAgainstAWallStopsTheDraggedOne();
    void duplicateOffsetsByFifteenPixelsWhateverTheZoom();
    void rubberBandAddsOnlyWhollyEnclosedSymbols();
    void deleteKeyRemovesTheSelectionAndRenumbers();
    void menusCarryTheirCommands();
    void positionListShowsEveryLuminaireUnderItsReference();
};

void PlanEditorTest::clickSelectsCtrlAddsAndTheEmptyPlanDeselects()
{
    Editor e;
    e.Click(e.At(0).Centre);
    QCOMPARE(Selection(e), (std::vector<bool>{true, false, false}));
    e.Click(e.At(1).Centre, Qt::ControlModifier);
    QCOMPARE(Selection(e), (std::vector<bool>{true, true, false}));
    // Beside the symbol's outline is the plan.
    e.Click(e.At(2).Centre + QPoint(0, e.At(2).Height));
    QCOMPARE(Selection(e), (std::vector<bool>{false, false, false}));
    // A plain click on an unselected symbol leaves it alone in the selection.
    e.Click(e.At(1).Centre, Qt::ControlModifier);
    e.Click(e.At(2).Centre);
    QCOMPARE(Selection(e), (std::vector<bool>{false, false, true}));
    QCOMPARE(e.Plan().StackingOrder().back(), &e.At(2));
}

void PlanEditorTest::draggingASelectionAgainstAWallStopsTheDraggedOne()
{
    Editor e;
    QSignalSpy changed(&e.Widget, &PlanWidget::PlanChanged);
    e.Click(e.At(0).Centre);
    e.Click(e.At(1).Centre, Qt::ControlModifier);
    const QPoint start0 = e.At(0).Centre, start1 = e.At(1).Centre;
    const DeviceRect limits = e.Plan().SymbolLimits();

    // Far to the left: the first one stops at the wall, the second moves as much.
    e.Drag(start0, start0 - QPoint(600, 0));
    QCOMPARE(e.At(0).Left, limits.Left);
    const int moved = start0.x() - e.At(0).Centre.x();
    QVERIFY(moved > 0 && moved < 600);
    QCOMPARE(start1.x() - e.At(1).Centre.x(), moved);
    QCOMPARE(e.At(2).Centre.x(), e.Plan().XToScreen(8));

    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("Luminárias: posição"));
    QVERIFY(!e.Doc.ProjectData.Results.DirectDone);
    // Nothing snaps: the position is what the centre pixel maps back to.
    QCOMPARE(e.Doc.Luminaires[0].X, e.Plan().ScreenToX(e.At(0).Centre.x()));
    QVERIFY(!e.Plan().PosLabel().has_value());

    // A click without motion is no change.
    e.Click(e.At(0).Centre);
    QCOMPARE(changed.count(), 1);
}

void PlanEditorTest::duplicateOffsetsByFifteenPixelsWhateverTheZoom()
{
    auto offset = [](int zoom, bool byKey) {
        Editor e;
        e.Widget.resize(1050 * zoom / 100, 540 * zoom / 100);
        e.Widget.SetZoomPercent(zoom);
        e.Click(e.At(1).Centre);
        QSignalSpy changed(&e.Widget, &PlanWidget::PlanChanged);
        if (byKey) {
            e.Widget.setFocus();
            QTest::keyClick(&e.Widget, Qt::Key_Insert, Qt::ShiftModifier);
        } else {
            e.Action(e.Widget.PlanMenu(), QStringLiteral("&Duplicar"))->trigger();
        }
        [&] {
            QCOMPARE(e.Plan().Luminaires().size(), std::size_t(4));
            QCOMPARE(changed.count(), 1);
            QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("Luminárias: duplicar"));
            QCOMPARE(e.At(3).Luminaria.Number, 4);
            QVERIFY(e.At(3).Selected && !e.At(1).Selected);
            QCOMPARE(e.Doc.LuminaireRefs[0]->Quantity, 4);
            QCOMPARE(e.At(3).Centre - e.At(1).Centre, QPoint(15, 15));
        }();
        return e.At(3).Luminaria.X - e.At(1).Luminaria.X;
    };
    const float full = offset(100, true);
    const float half = offset(50, false);
    QVERIFY(full > 0.1f && full < 0.2f);
    QVERIFY(std::abs(half - 2 * full) < 0.02f);
}

void PlanEditorTest::rubberBandAddsOnlyWhollyEnclosedSymbols()
{
    Editor e;
    e.Click(e.At(2).Centre);
    // Round the first symbol and across half of the second, Ctrl keeping the selection.
    const QRect first = e.At(0).Bounds();
    const QPoint from = first.topLeft() - QPoint(10, 10);
    const QPoint to(e.At(1).Centre.x(), first.bottom() + 60);
    e.Drag(from, to, Qt::ControlModifier);
    QCOMPARE(Selection(e), (std::vector<bool>{true, false, true}));
    QVERIFY(!e.Plan().RubberBandShown());

    // Without Ctrl the press on the plan clears the selection first.
    e.Drag(from, to);
    QCOMPARE(Selection(e), (std::vector<bool>{true, false, false}));
}

void PlanEditorTest::deleteKeyRemovesTheSelectionAndRenumbers()
{
    Editor e;
    QSignalSpy changed(&e.Widget, &PlanWidget::PlanChanged);
    e.Widget.setFocus();
    QTest::keyClick(&e.Widget, Qt::Key_Delete); // nothing selected: nothing happens
    QCOMPARE(changed.count(), 0);

    e.Click(e.At(0).Centre);
    QTest::keyClick(&e.Widget, Qt::Key_Delete);
    QCOMPARE(e.Plan().Luminaires().size(), std::size_t(2));
    QCOMPARE(e.At(0).Luminaria.Number, 1);
    QCOMPARE(e.At(1).Luminaria.Number, 2);
    QCOMPARE(e.At(0).Luminaria.X, 5.0f);
    QCOMPARE(e.Doc.Luminaires.size(), std::size_t(2));
    QCOMPARE(e.Doc.LuminaireRefs[0]->Quantity, 2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("Luminárias: apagar"));

    // From the menu only after confirmation.
    e.Click(e.At(1).Centre);
    e.Widget.ConfirmDelete = [](const QString&) { return false; };
    e.Action(e.Widget.LuminaireMenu(), QStringLiteral("&Apagar"))->trigger();
    QCOMPARE(e.Plan().Luminaires().size(), std::size_t(2));
    e.Widget.ConfirmDelete = [](const QString&) { return true; };
    e.Action(e.Widget.LuminaireMenu(), QStringLiteral("&Apagar"))->trigger();
    QCOMPARE(e.Plan().Luminaires().size(), std::size_t(1));
    QCOMPARE(e.At(0).Luminaria.Number, 1);
}

void PlanEditorTest::menusCarryTheirCommands()
{
    Editor e;
    QMenu* plan = e.Widget.PlanMenu();
    QStringList captions;
    for (QAction* a : plan->actions())
        if (!a->isSeparator())
            captions << a->text();
    QCOMPARE(captions, (QStringList{"&Nova...", "&Duplicar", "&Apagar", "Ver &Cotas", "&Luminárias...",
                                    "Selecciona &tudo", "Ver A&ntes", "&Imprime página"}));
    QAction* references = e.Action(plan, QStringLiteral("&Luminárias..."));
    // The references dialog belongs to the project window: the plan asks for it.
    QSignalSpy referencesAsked(&e.Widget, &PlanWidget::ReferencesRequested);
    QVERIFY(references->isEnabled());
    references->trigger();
    QCOMPARE(referencesAsked.count(), 1);

    // A right click on the plan opens the menu with "Ver Cotas" following the marks.
    QSignalSpy toggled(&e.Widget, &PlanWidget::DimensionsToggled);
    e.Action(plan, QStringLiteral("Ver &Cotas"))->trigger();
    QVERIFY(e.Plan().ShowDimensions);
    QCOMPARE(toggled.count(), 1);
    e.Click(QPoint(5, 5), Qt::NoModifier, Qt::RightButton);
    QVERIFY(plan->isVisible());
    QVERIFY(e.Action(plan, QStringLiteral("Ver &Cotas"))->isChecked());
    QVERIFY(e.Action(plan, QStringLiteral("&Nova..."))->isEnabled());
    plan->close();

    // Turning through the luminaire menu opened on a symbol.
    e.Click(e.At(2).Centre, Qt::NoModifier, Qt::RightButton);
    QCOMPARE(e.Widget.MenuSymbol(), &e.At(2));
    e.Widget.LuminaireMenu()->close();
    e.Action(e.Widget.LuminaireMenu(), QStringLiteral("Posição     &90°"))->trigger();
    QCOMPARE(e.At(2).Luminaria.Angle, 90.0f);
    QVERIFY(e.At(2).Height > e.At(2).Width);
    e.Action(e.Widget.LuminaireMenu(), QStringLiteral("Envia para &tras"))->trigger();
    QCOMPARE(e.Plan().StackingOrder().front(), &e.At(2));
}

void PlanEditorTest::positionListShowsEveryLuminaireUnderItsReference()
{
    Editor e;
    TListaPosLumin list(e.Plan());
    QCOMPARE(list.tvRefLumin->topLevelItemCount(), 1);
    QTreeWidgetItem* root = list.tvRefLumin->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("Linear"));
    QCOMPARE(root->childCount(), 3);
    QVERIFY(root->isExpanded());
    QCOMPARE(root->child(1)->text(0), QStringLiteral("Nº 2   X = 5.00m ,  Y = 2.50m ,  Z = 2.80m        0.0°"));

    // The restricted dialog moves the luminaire (clamped into the room) and rewrites its node.
    QString shownName;
    list.EditNode = [&](TObjectoGrafico& symbol, const QString& name) {
        shownName = name;
        e.Plan().ApplyPositionEdit(symbol, 9.9f, 1.0f, 2.5f, 0);
        return true;
    };
    list.EditItem(root->child(1));
    QCOMPARE(shownName, QStringLiteral("Linear"));
    QCOMPARE(root->child(1)->text(0), QStringLiteral("Nº 2   X = 9.40m ,  Y = 1.00m ,  Z = 2.50m        0.0°"));
    QCOMPARE(e.Doc.Luminaires[1].Z, 2.5f);
}

} // namespace lumivar

QTEST_MAIN(lumivar::PlanEditorTest)
#include "PlanEditorTest.moc"

// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/layout_table.h"

#include "engine/number_text.h"

namespace tavrello {

namespace {

constexpr int rowPitch = 240;
constexpr int firstRowTop = 1080;
constexpr int slotPitch = 240;
constexpr int firstResultLabel = 12;

QString decimal(int number) {
    return QString::fromStdString(integerToText(number));
}

QString twoDigits(int number) {
    return decimal(number).rightJustified(2, u'0');
}

void addMethodColumn(std::vector<ControlSpec>& table, FormControls& ui) {
    table.push_back(
        {.id = "Option1",
         .slot = &ui.Option[0],
         .place = {120, 480, 1815, 375},
         .text = "贝塞尔公式",
         .tooltip = "四种方法中可靠性最高，当几种方法计算的结果出现矛盾时，以贝塞尔为准。",
         .ink = Ink::Red,
         .set = true});
    table.push_back({.id = "Image1",
                     .slot = &ui.Image[0],
                     .place = {120, 840, 1665, 795},
                     .accessibleName = "贝塞尔公式的计算式",
                     .accessibleDescription =
                         "s 等于 根号下 i 从 1 到 n 的 x i 减 x 平均 的平方 之和 除以 n 减 1",
                     .picture = &drawings::bessel});
    table.push_back({.id = "Option2",
                     .slot = &ui.Option[1],
                     .place = {120, 1680, 1215, 255},
                     .text = "别捷尔斯法",
                     .tooltip = "无评价！！！",
                     .ink = Ink::Red});
    table.push_back({.id = "Image2",
                     .slot = &ui.Image[1],
                     .place = {120, 1920, 2025, 885},
                     .accessibleName = "别捷尔斯法的计算式",
                     .accessibleDescription = "s 等于 1.253 乘 i 从 1 到 n 的 x i 减 x 平均 "
                                              "的绝对值 之和 除以 根号下 n 与 n 减 1 之积",
                     .picture = &drawings::peters});
    table.push_back(
        {.id = "Option3",
         .slot = &ui.Option[2],
         .place = {120, 2760, 1095, 255},
         .text = "极差法",
         .tooltip = "极差法可简单迅速算出标准差，并具有一定精度，一般在n<10时均可采用。",
         .ink = Ink::Red});
    table.push_back({.id = "Image3",
                     .slot = &ui.Image[2],
                     .place = {120, 3120, 1500, 540},
                     .accessibleName = "极差法的计算式",
                     .accessibleDescription = "s 等于 x max 减 x min 之差 除以 d n",
                     .picture = &drawings::range});
    table.push_back({.id = "Option4",
                     .slot = &ui.Option[3],
                     .place = {120, 3840, 1335, 255},
                     .text = "最大误差法",
                     .tooltip = "最大误差法简单、迅速、方便、容易掌握，因而有广泛用途。当n<10时，"
                                "最大误差法有一定的精度。",
                     .ink = Ink::Red});
    table.push_back({.id = "Image4",
                     .slot = &ui.Image[3],
                     .place = {120, 4200, 1335, 705},
                     .accessibleName = "最大误差法的计算式",
                     .accessibleDescription = "s 等于 x i 减 x 平均 的绝对值 的最大值 除以 k 撇 n",
                     .picture = &drawings::maximumError});
}

QStringList sampleCountEntries() {
    QStringList entries;
    for (int count = 2; count <= inputBoxCount; ++count) {
        entries.append(decimal(count));
    }
    return entries;
}

void addInputColumn(std::vector<ControlSpec>& table, FormControls& ui) {
    table.push_back({.id = "Label4",
                     .slot = &ui.Label4,
                     .place = {2520, 480, 810, 180},
                     .text = "测量次数n",
                     .ink = Ink::Red,
                     .sizing = Sizing::ToCaption,
                     .buddy = &ui.Combo1});
    table.push_back({.id = "Combo1",
                     .slot = &ui.Combo1,
                     .place = {3480, 480, 1335, 300},
                     .text = "请选择",
                     .accessibleName = "测量次数n",
                     .entries = sampleCountEntries()});
    table.push_back({.id = "Label2",
                     .slot = &ui.Label2,
                     .place = {2520, 840, 360, 180},
                     .text = "序号",
                     .ink = Ink::Red,
                     .sizing = Sizing::ToCaption});
    table.push_back({.id = "Label3",
                     .slot = &ui.Label3,
                     .place = {3480, 840, 720, 180},
                     .text = "测量数据",
                     .ink = Ink::Red,
                     .sizing = Sizing::ToCaption});
    for (int row = 1; row <= inputBoxCount; ++row) {
        const int top = firstRowTop + rowPitch * (row - 1);
        table.push_back({.id = rowCaptionId(row),
                         .slot = &ui.Label1[row - 1],
                         .place = {2520, top, 360, 180},
                         .text = rowCaption(row),
                         .ink = Ink::Red,
                         .face = Face::Underlined,
                         .sizing = Sizing::ToCaption});
        table.push_back({.id = numbered("Text", row),
                         .slot = &ui.Text[row - 1],
                         .place = {3000, top, 1815, 270},
                         .hidden = row > 2,
                         .accessibleName = "测量数据 " + twoDigits(row)});
    }
}

// One group of result labels, slot 1 to 4 from the top; the label numbers run on.
void addResultGroup(std::vector<ControlSpec>& table, FormControls& ui, int group, int top) {
    for (int slot = 1; slot <= slotCount; ++slot) {
        const int index = group * slotCount + slot - 1;
        table.push_back({.id = numbered("Label", firstResultLabel + index),
                         .slot = &ui.Results[index],
                         .place = {5400, top + slotPitch * (slot - 1), 2295, 255},
                         .ground = Ground::ResultBackground,
                         .accessibleDescription = resultMeaning(index)});
    }
}

void addResultColumn(std::vector<ControlSpec>& table, FormControls& ui) {
    table.push_back({.id = "Label11",
                     .slot = &ui.Label11,
                     .place = {5280, 480, 2340, 180},
                     .text = "说明：可保留四个输出的结果",
                     .ink = Ink::Red,
                     .face = Face::Underlined,
                     .sizing = Sizing::ToCaption});
    for (int slot = 1; slot <= slotCount; ++slot) {
        table.push_back({.id = numbered("Check", slot),
                         .slot = &ui.Check[slot - 1],
                         .place = {5160, 960 + slotPitch * (slot - 1), 135, 180},
                         .tooltip = "是否选择此框输出计算结果。",
                         .set = slot == 1,
                         .accessibleName = QString("输出到第 %1 组").arg(decimal(slot))});
    }
    addResultGroup(table, ui, 0, 960);
    table.push_back({.id = "Command1",
                     .slot = &ui.Command1,
                     .place = {5160, 2040, 2535, 375},
                     .text = "算术平均值"});
    addResultGroup(table, ui, 1, 2520);
    table.push_back({.id = "Command2",
                     .slot = &ui.Command2,
                     .place = {5160, 3600, 2535, 375},
                     .text = "测量列中单次测量的标准差"});
    addResultGroup(table, ui, 2, 4080);
    table.push_back({.id = "Command3",
                     .slot = &ui.Command3,
                     .place = {5160, 5160, 2535, 375},
                     .text = "测量列算术平均值的标准差"});
    table.push_back({.id = "Command4",
                     .slot = &ui.Command4,
                     .place = {5160, 5640, 1095, 255},
                     .text = "← C",
                     .tooltip = "清除输入数据",
                     .accessibleName = "清除输入数据"});
    table.push_back({.id = "Command5",
                     .slot = &ui.Command5,
                     .place = {6600, 5640, 1095, 255},
                     .text = "↑ C",
                     .tooltip = "清除输出结果",
                     .accessibleName = "清除输出结果"});
}

void addStatusRow(std::vector<ControlSpec>& table, FormControls& ui) {
    const auto statusLabel = [](QString id, BorderedLabel** slot, Twips place, QString text,
                                Ground ground) {
        return ControlSpec{.id = std::move(id),
                           .slot = slot,
                           .container = Container::Form1,
                           .place = place,
                           .text = std::move(text),
                           .ink = Ink::ShadowText,
                           .ground = ground,
                           .alignment = Qt::AlignCenter};
    };
    ControlSpec credits = statusLabel("Label8", &ui.Label8, {60, 6060, 1980, 240},
                                      "Tavrello 误差分析", Ground::ButtonFace);
    credits.tooltip = "Tavrello：测量列的算术平均值与标准差";
    table.push_back(credits);
    table.push_back(statusLabel("Label9", &ui.Label9, {2040, 6060, 2205, 240},
                                "制作时间：2007-03-24", Ground::ButtonFace));
    table.push_back(
        statusLabel("Label10", &ui.Label10, {4260, 6060, 3615, 240}, "", Ground::LightPanel));
}

} // namespace

QString numbered(const QString& prefix, int number) {
    return prefix + decimal(number);
}

QString rowCaptionId(int row) {
    return "Label1(" + decimal(row - 1) + ")";
}

QString resultMeaning(int index) {
    return QString("第 %1 组 %2")
        .arg(decimal(index % slotCount + 1),
             resultQuantity(static_cast<ResultGroup>(index / slotCount)));
}

QString resultQuantity(ResultGroup group) {
    static const QString quantities[] = {"算术平均值", "测量列中单次测量的标准差",
                                         "测量列算术平均值的标准差"};
    return quantities[static_cast<int>(group)];
}

QString rowCaption(int row) {
    return twoDigits(row) + "→";
}

std::vector<ControlSpec> layoutTable(FormControls& ui) {
    std::vector<ControlSpec> table;
    table.push_back({.id = "Frame1",
                     .slot = &ui.Frame1,
                     .container = Container::Form1,
                     .place = {60, 60, 7815, 6015},
                     .text = "计算步骤",
                     .ink = Ink::Black});
    table.push_back({.id = "Frame2",
                     .slot = &ui.Frame2,
                     .place = {2280, 0, 135, 6015},
                     .accessibleName = "分隔线"});
    table.push_back({.id = "Frame3",
                     .slot = &ui.Frame3,
                     .place = {4920, 0, 135, 6015},
                     .accessibleName = "分隔线"});
    table.push_back({.id = "Label5",
                     .slot = &ui.Label5,
                     .place = {360, 240, 1440, 180},
                     .text = "一、计算方法选择",
                     .ink = Ink::Black,
                     .sizing = Sizing::ToCaption});
    table.push_back({.id = "Label6",
                     .slot = &ui.Label6,
                     .place = {3120, 240, 1080, 180},
                     .text = "二、输入数据",
                     .sizing = Sizing::ToCaption});
    table.push_back({.id = "Label7",
                     .slot = &ui.Label7,
                     .place = {5760, 240, 1080, 180},
                     .text = "三、计算结果",
                     .sizing = Sizing::ToCaption});
    addMethodColumn(table, ui);
    addInputColumn(table, ui);
    addResultColumn(table, ui);
    addStatusRow(table, ui);
    return table;
}

std::vector<QWidget*> focusOrder(const FormControls& ui) {
    std::vector<QWidget*> order(ui.Text.begin(), ui.Text.end());
    order.insert(order.end(), ui.Option.begin(), ui.Option.end());
    order.insert(order.end(), {ui.Command1, ui.Command2, ui.Command3, ui.Command4, ui.Command5});
    order.insert(order.end(), ui.Check.begin(), ui.Check.end());
    order.push_back(ui.Combo1);
    return order;
}

} // namespace tavrello

// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class UpdateOfferDialog;
}

class ProgramProfile;

// "检查更新": asked at start-up whether to look for a newer version now.
// Its "不要再次显示该信息" box is stored in the program's profile on every
// click, whatever the answer. "是(&Y)" accepts, "否(&N)" rejects.
class UpdateOfferDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateOfferDialog(ProgramProfile &profile, QWidget *parent = nullptr);
    ~UpdateOfferDialog() override;

private:
    std::unique_ptr<Ui::UpdateOfferDialog> m_ui;
};

// RegistersPage: what its register dialogs hand back to it.
#pragma once

#include <cstddef>

namespace quarzel::app {

// Shows the register's value from registerTable in its edit ("%08X"), and
// for PLLCtrl1 the clock beside it. Outside the busy guard the edit's change
// enables Apply, as a dialog's OK should.
void showRegisterValue(std::size_t index);

}  // namespace quarzel::app

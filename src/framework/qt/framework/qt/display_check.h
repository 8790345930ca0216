#pragma once

namespace fw::qt {

// Closes the connection that CheckDisplay opened, once the toolkit has its own.
void ForgetDisplayCheck();

}  // namespace fw::qt

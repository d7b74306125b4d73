// placeholder until the first sources land
namespace { [[maybe_unused]] int mainwindow_placeholder = 0; }

// placeholder until the first sources land
namespace { [[maybe_unused]] int platform_ui_placeholder = 0; }

// placeholder until the first sources land
namespace { [[maybe_unused]] int platform_rtf_placeholder = 0; }

// placeholder until the first sources land
namespace { [[maybe_unused]] int platform_instance_placeholder = 0; }

// mux4: structural Verilog netlist written by Kestrel.
// F = x2x1+~x2~x0+x3
// Realized in the structure: Multiplexer
// Inputs: x3 x2 x1 x0, the function's variables, the most significant first; output: F.
// Node k of the realization is the instance mux<k> (nand<k>, nor<k>, and<k>, or<k>) with
// the output n<k>. Level 0 is the output node, in the drawing's rightmost column; level 1
// is the column left of it, and so on; each column is counted from the top.

module mux4 (
  input x3, x2, x1, x0,
  output F
);
  wire x0_n;

  // the variables that enter complemented
  not inv_x0 (x0_n, x0);

  // node 1: 4-input multiplexer at level 0, 1st from the top; its output is F
  // address inputs x2 x3 (A1 A0)
  mux4_mux4 mux1 (.a1(x2), .a0(x3), .d0(x0_n), .d1(1'b1), .d2(x1), .d3(1'b1), .y(F));
endmodule

// 4-input multiplexer: y is the data input d<i> whose number i the address {a1, a0} selects.
module mux4_mux4 (
  input a1, a0,
  input d0, d1, d2, d3,
  output y
);
  assign y = a1 ? (a0 ? d3 : d2) : (a0 ? d1 : d0);
endmodule

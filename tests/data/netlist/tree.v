// tree: structural Verilog netlist written by Kestrel.
// F = x3x2x1+~x3~x2~x1
// Realized in the structure: Multiplexer Tree
// Inputs: x3 x2 x1, the function's variables, the most significant first; output: F.
// Node k of the realization is the instance mux<k> (nand<k>, nor<k>, and<k>, or<k>) with
// the output n<k>. Level 0 is the output node, in the drawing's rightmost column; level 1
// is the column left of it, and so on; each column is counted from the top.

module tree (
  input x3, x2, x1,
  output F
);
  wire x1_n, n1, n2;

  // the variables that enter complemented
  not inv_x1 (x1_n, x1);

  // node 1: 2-input multiplexer at level 1, 1st from the top
  // address inputs x2 (A0)
  tree_mux2 mux1 (.a0(x2), .d0(x1_n), .d1(1'b0), .y(n1));

  // node 2: 2-input multiplexer at level 1, 2nd from the top
  // address inputs x2 (A0)
  tree_mux2 mux2 (.a0(x2), .d0(1'b0), .d1(x1), .y(n2));

  // node 3: 2-input multiplexer at level 0, 1st from the top; its output is F
  // address inputs x3 (A0)
  // input 0: node 1, built for ~x2~x1
  // input 1: node 2, built for x2x1
  tree_mux2 mux3 (.a0(x3), .d0(n1), .d1(n2), .y(F));
endmodule

// 2-input multiplexer: y is the data input d<i> whose number i the address a0 selects.
module tree_mux2 (
  input a0,
  input d0, d1,
  output y
);
  assign y = a0 ? d1 : d0;
endmodule
